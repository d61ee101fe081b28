/* Shown after the interest detail when penalties were owed during an overpayment */ 
WARNING: Penalties were owed at a time when the taxpayer had an overpayment.
         Interest on the penalties and interest on the overpayment were
         computed separately and have not been netted.
 
