/* Failure-to-deposit penalty (IRC 6656): the heading, then each liability with the deposits applied
   to it (their line repeated for each deposit and for what was never paid), the notes and the total.
   A heading line whose value is not there (no notice, not averaged, nothing left over) is left out;
   ~DPCH marks the column headings repeated after a page break */ 
Deposit Penalty -- IRC 6656
=========================================
Return period ............: ­DPPR
Deposit schedule .........: ­DPSC
Liabilities ..............: ­DPAV
First notice .............: ­DPNO
Notice and demand ........: ­DPDM
Total liability ..........: ­DPTL
Total deposits ...........: ­DPTD
Deposits left over .......: ­DPEX
Never paid ...............: ­DPUN
 
  Paid on          Amount  How paid             Days late  Rate        Penalty­DPCH
 
Liability of ­DLDT    ­DLAM          due ­DLDU    ­DLRU
  The 15% rate applies to what is paid after ­DLFT
  ­DADT     ­DAAM          ­DAHO                     ­DADY ­DART ­DAPN
  Spared by the accuracy of deposits rule: made up by ­DLSH
  Penalty on the liability ..................................... ­DLPN
 
­DPNT
 
Total penalty .................................................. ­DPTT
