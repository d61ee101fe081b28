/* Interest rate table listing: headings repeated on every page */­TITLE                                                                  ­PAGE
Rate table......: ­TNAM
Description.....: ­TDES
Table ends......: ­TEND
 
Rate                              Normal    Motivated    Refund  Days
starts       Computation method     rate       rate        rate  per year
------------------------------------------------------------------------------
