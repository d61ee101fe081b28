/* Accuracy-related: estate and gift valuation (slot 15) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Valuation Understatement -- Estate/Gift -- IRC 6662(g)
======================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Underpayment attributable to it ......: ­AMT0
Tax less the 6663 fraud amount .......: ­MBAS
6663 fraud amount ....................: ­FRAU
Amount subject to the penalty ........: ­BASE
Rate .................................: ­PPER
Penalty ..............................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­JIM1
­PNA0
­PNA1
