/* Hot interest (slot 22): written after the interest detail */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
 
Interest on Large Corporate Underpayments -- IRC 6621(c)
========================================================
Tax due date (all tax events)...: ­SDAT        Computed through....: ­DUED
 
30-day letter date ...................: ­A30D
Applicable date (entered) ............: ­AADD
Hot interest stops on 12-31-97 .......: ­AADE
Restart: 30-day letter date ..........: ­AADF
Restart: applicable date .............: ­AADG
 
From the applicable date (30 days after the 30-day letter unless entered),
interest on the underpayment is computed at 2 percentage points above the
normal rate ("Hot Interest" lines in the interest detail).
­JIM1
