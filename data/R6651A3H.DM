/* Failure to pay assessment history (slot 2, returns due before 1990) */ 
Returns due before 1990: the amount subject to the penalty is the net tax
due, less the 6653(b) fraud amount and the amount subject to 6651(a)(2).
For returns due before 1987 the failure to file penalty of the same months
is charged against this penalty.
