/* Fraud under 6653(b) (slot 4) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Fraud -- IRC 6653(b)
====================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Notice date ..........................: ­DTE1
Tax assessment date ..................: ­DTE2
Amount subject to the penalty ........: ­AMT0
Underpayment attributable to fraud ...: ­ALT1
Of which motivated tax ...............: ­ALT2
Rate .................................: ­PPER
 
Rate times the amount ................: ­PBIN
50% of the interest on the fraud .....: ­INTP
Fraud penalty ........................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
