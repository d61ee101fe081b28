/* Interest detail without factors: 4 lines for tax, motivated tax, penalties */Interest Detail -- Interest on Tax
------------------------------------------------------------------------------
Event                  Date    Rate          Base      Interest        Balance
------------------------------------------------------------------------------
Interest on Motivated Deficiencies
------------------------------------------------------------------------------
Event                  Date    Rate          Base      Interest        Balance
------------------------------------------------------------------------------
Interest on Penalties
------------------------------------------------------------------------------
Event                  Date    Rate          Base      Interest        Balance
------------------------------------------------------------------------------
