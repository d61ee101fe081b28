/* Explanation: $1,000 thresholds */ 
NOT APPLIED: the underpayment attributable to this penalty does not reach
the $1,000 threshold of the section (6659A: or the return was due before
10-23-86).
