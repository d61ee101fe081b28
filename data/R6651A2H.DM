/* Failure to pay tax shown history (slot 1, returns due before 1990) */ 
Returns due before 1990: the amount subject to the penalty is the net tax
due, less the amount subject to the 6653(b) fraud penalty.
