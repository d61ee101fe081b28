/* Page header of every report (3 lines) */­TITLE                                                                      ­VER
Taxpayer name...: ­NAME                                       ­TIME   ­DATE
Taxpayer ID#....: ­IDNM                                                 ­PAGE
