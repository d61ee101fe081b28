/* Payment allocation detail: headings */ 
                                     Payment or                  Event
Date      Applied to                     Credit        Deposit          Total
------------------------------------------------------------------------------
