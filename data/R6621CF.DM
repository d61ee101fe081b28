/* Explanation: hot interest with an early compute date */ 
NOT COMPUTED: hot interest applies to periods after 12-31-90 only, and the
compute date is on or before 01-31-91.
