/* Lines 0-10: event texts by type; lines 11 on: closing lines */Tax
Motivated tax
Payment
Deposit (cash bond)
Entered penalty
Stop interest
Start interest
Debit
Credit
IRS refund check
Entered penalty
 
Balance due (1) as of                    нн-нн-нн                н
------------------------------------------------------------------------------
(1) Tax, interest and penalties less payments; <brackets> mean a refund is due.
