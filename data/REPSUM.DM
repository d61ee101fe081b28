/* Summary: every line number has its fixed meaning; '*' keeps a number free */                              Summary as of ~
                           Amount       Payments       Deposits        Balance
Tax ..............
IRS checks, debits
Interest on tax ..
Motivated tax ....
Motivated interest
Refund interest ..
GATT interest ....
Penalty interest .
Entered penalties 
6651(a)(1) penalty
6651(a)(2) penalty
6651(a)(3) penalty
6653(a) penalty ..
6653(b) penalty ..
*
*
6659 penalty .....
6659A penalty ....
6660 penalty .....
6661 penalty .....
6662(c) penalty ..
6662(d) penalty ..
6662(e) penalty ..
6662(f) penalty ..
6662(g) penalty ..
6663 penalty .....
18681 (CA) .......
18684.2(a)(1) (CA)
18684.2(a)(2) (CA)
18684 neglig. (CA)
18684 fraud (CA) .
6621(c) ..........
------------------------------------------------------------------------------
*
Total ............
==============================================================================
 Payments and deposits are shown as <negative> amounts.
 Interest table:@
 Table ends....:&
