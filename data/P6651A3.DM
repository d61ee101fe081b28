/* Failure to pay the amount assessed (slot 2) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Failure to Pay Amount Assessed -- IRC 6651(a)(3)
================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Amount assessed at notice 1 ..........: ­AMT0
                                        Date      Grace period
Notice 1 .............................: ­DTE0     ­D101
Notice 2 .............................: ­DTE1     ­D102
Notice 3 .............................: ­DTE2     ­D103
Notice 4 .............................: ­DTE3     ­D104
Notice 5 .............................: ­DTE7     ­D105
Notice 6 .............................: ­DTE10    ­D106
Further amounts, notices 2 and 3 .....: ­ALT1            ­ALT2
Further amounts, notices 4 and 5 .....: ­ALT3            ­ALT4
Total amount assessed ................: ­A3AA
First notice of levy .................: ­DTE4
First jeopardy demand ................: ­DTE5
Installment rate (0.25%) from ........: ­DTE8
Former rate reinstated ...............: ­DTE9
 
Subject to 6651(a)(2) ................: ­P2BA
Amount subject to the penalty ........: ­BASE
 
Month by month:
                              Through        Base Months  Rate        Penalty
­ESUM
Sum of the monthly penalties .........: ­PBRD
Maximum penalty (25%) ................: ­PMAX
Limited to the maximum ...............: ­PARE
Failure to file charged against it ...: ­REDU
Maximum less failure to file .........: ­RED2
Failure to pay assessment penalty ....: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM0
