/* Estimated tax penalty (IRC 6654, Form 2210; IRC 6655, Form 2220): the installments in columns,
   then each rate period (its lines repeated for each amount unpaid), then the total */ 
Estimated Tax Penalty -- ­ETIR
=========================================
Filer ....................: ­ETFL
Tax year .................: ­ETYR
Required annual payment ..: ­ETRA
Required installments ....: ­ETBA
Withholding ..............: ­ETWH
Rate table ...............: ­TNAM
Period ends ..............: ­ETPE
Computed through .........: ­ETCT
 
                          ­ETLB
Due date                  ­ETDU
Required installment      ­ETRQ
Paid in the period        ­ETPD
Overpayment carried in    ­ETOI
Underpayment              ­ETUP
Overpayment               ­ETOP
 
Rate period ­ETRP
  Amount unpaid           ­ETUN
  Unpaid through          ­ETTO
  Days                    ­ETDA
  Penalty                 ­ETPA
 
Penalty of each column    ­ETAD
 
Total penalty .................................................. ­ETTL
 
­ETRS
­ETCA
