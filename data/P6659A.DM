/* Overstatement of pension liabilities (slot 8) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Overstatement of Pension Liabilities -- IRC 6659A
=================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Notice date ..........................: ­DTE1
Underpayment attributable to it ......: ­AMT0
Amount subject to the penalty ........: ­BASE
Rate .................................: ­PPER
Penalty ..............................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM1
