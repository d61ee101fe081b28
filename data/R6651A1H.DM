/* Failure to file history (slot 23, returns due before 1990) */ 
Returns due before 1990: interest on this penalty runs from ­ADDD.
For a return due before 07-18-84 it runs from the notice date, or from
07-18-84 when no notice was issued before that date.
