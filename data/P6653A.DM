/* Negligence under 6653(a) (slot 3) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Negligence -- IRC 6653(a)
=========================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
Return due date ......................: ­DTE0
Notice date ..........................: ­DTE1
Tax assessment date ..................: ­DTE2
Amount subject to the 5% penalty .....: ­BAM0
Attributable to negligence (entered) .: ­ALT1
Of which motivated tax (entered) .....: ­ALT2
Follow IRS payment allocation rules ..: ­PPR1
 
Attributable to negligence (used) ....: ­BAM1
Of which motivated tax (used) ........: ­BAM2
Tax less the 6653(b) fraud amount ....: ­MBAS
5% penalty ...........................: ­PBIN
50% of the interest on the negligence : ­INTP
Negligence penalty ...................: ­REAL
 
Penalty assessed (bears interest) ....: ­ADDA          from ­ADDD
