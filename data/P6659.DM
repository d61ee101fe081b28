/* Valuation overstatement, income tax (slot 7) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Valuation Overstatement -- Income Tax -- IRC 6659
=================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Underpayment attributable to it ......: ­AMT0
Amount subject to the penalty ........: ­BASE
Rate .................................: ­PPER
Penalty ..............................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM1
