/* California (slot 21) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Fraud - California -- R&TC 18684
================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Due date .............................: ­DTE0
Amount entered .......................: ­AMT0
Rate .................................: ­PPER
Penalty ..............................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
 
California penalties are computed under the federal rules; check them
against the state's own computation.
