/* Failure to pay assessment history (slot 2, returns due 1990 and later) */ 
The amount subject to the penalty is the net tax due, less the amount
subject to 6651(a)(2). The penalty begins when the grace period after
notice 1 has run; payments within it reduce the amount subject to it.
