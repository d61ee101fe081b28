/* Interest detail with factors: 3 lines for tax, motivated tax, penalties. M = method: O Old IRS, S simple, D daily, M monthly, F sum of factors */Interest on Tax
Event         Date   Yr Mo Dy M  Rate Factor         Principal        Interest
------------------------------------------------------------------------------
Interest on Motivated Deficiencies
Event         Date   Yr Mo Dy M  Rate Factor         Principal        Interest
------------------------------------------------------------------------------
Interest on Penalties
Event         Date   Yr Mo Dy M  Rate Factor         Principal        Interest
------------------------------------------------------------------------------
