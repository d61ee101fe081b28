/* Substantial understatement (slot 10) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Substantial Understatement of Income Tax -- IRC 6661
====================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Tax assessment date ..................: ­DTE1
Underpayment attributable to it ......: ­AMT0
Amount subject to the penalty ........: ­BASE
Rate .................................: ­PPER
Penalty ..............................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM1
