/* Failure to pay tax shown on the return (slot 1) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Failure to Pay Tax Shown on Return -- IRC 6651(a)(2)
====================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Tax due date (without extensions) ....: ­DTE0
Tax shown on the return, not paid ....: ­AMT0
Total tax less earlier payments ......: ­TTSD
                                        Date      Grace period
Notice 1 .............................: ­DTE1     ­D101
Notice 2 .............................: ­DTE2     ­D102
Notice 3 .............................: ­DTE3     ­D103
Notice 4 .............................: ­DTE4     ­D104
Notice 5 .............................: ­DTE7     ­D105
Notice 6 .............................: ­DTE10    ­D106
First notice of levy .................: ­DTE5
First jeopardy demand ................: ­DTE6
Installment rate (0.25%) from ........: ­DTE8
Former rate reinstated ...............: ­DTE9
 
Amount subject to the penalty ........: ­BASE
 
Month by month:
                              Through        Base Months  Rate        Penalty
­ESUM
Sum of the monthly penalties .........: ­PBIN
Maximum penalty (25%) ................: ­PMAX
Failure to pay penalty ...............: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM0
