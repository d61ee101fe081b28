/* Explanation: $5,000 thresholds */ 
NOT APPLIED: the understatement does not exceed $5,000 (6661: or the
return was due before 01-01-83).
