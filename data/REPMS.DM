/* Column headings of the event list */                                           Event         Event      Event Date
Events                                     Date          Amount    Balance (1)
------------------------------------------------------------------------------
