/* Fraud under 6663 (slot 16) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Fraud -- IRC 6663
=================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Underpayment attributable to fraud ...: ­AMT0
Rate .................................: ­PPER
Fraud penalty ........................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
­PNA0
­PNA1
