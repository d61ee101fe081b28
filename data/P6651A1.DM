/* Failure to file (slot 23) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Failure to File Return When Due -- IRC 6651(a)(1)
=================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date (with extensions) ....: ­DTE0
Notice date (due before 07-19-84) ....: ­DTE1
Date return received .................: ­DTE2
Months late (a part month counts) ....: ­M
Months charged (at most 5) ...........: ­m
Rate per month .......................: ­R
Failure to file due to fraud .........: ­PPR1
Minimum penalty rule applied .........: ­PPR2
 
Net tax due on the due date ..........: ­TTAX
Amount subject to the penalty ........: ­BASE
Penalty for the months charged .......: ­PBIN
Less failure to pay, same months .....: ­REDU
Minimum penalty ......................: ­PMIN
Failure to file penalty ..............: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM0
­JIM1
