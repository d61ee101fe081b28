/* Monthly accrual: headings, then the row pattern (label and four amounts at '#') */ 
                                          Penalty         Refund
Month ending              Interest       Interest       Interest          Total
------------------------------------------------------------------------------
#                    #              #              #              #
