/* Explanation: $5,000 thresholds */ 
NOT APPLIED: the understatement does not exceed $5,000 ($10,000 for a C
corporation under 6662(d) and (e); 6661: or the return was due before
01-01-83).
