#!/usr/bin/env python3
"""Figures for the engine's scenario tests, worked out apart from the engine's code.

Reads data/federal-rates.csv only. The time line is cut at every event, at the day before each rate row
starts (and, from 1983, before each January 1 that starts no row) and at the compute date. Each period
(S, T] earns interest at the rate of the row in effect on the days S+1..T, rounded half away from zero
to the cent:
  - before 1983: simple interest, principal * rate * days / 365, kept apart from the principal until
    the first period of 1983, when it joins the principal;
  - from 1983: daily compounding, principal * ((1 + rate / V) ** days - 1) with V = 366 in leap years
    and 365 otherwise, added to the principal at once.
Underpayments earn the underpayment rate, overpayments (negative balances) the noncorporate
overpayment rate. Payments beyond the tax due overpay the tax. Hot interest (6621(c)) is given as the
days it runs, (start, end]: the time line is cut at those dates too, and an underpayment earns the
large-corporate rate of the row in effect (the underpayment rate + 2 where the row leaves it out) in a
period that lies in them.

Run: python3 tests/engine/scenario_figures.py
"""
import csv
import datetime as dt
import os
from decimal import Decimal, ROUND_HALF_UP

HERE = os.path.dirname(os.path.abspath(__file__))
ROWS = []
with open(os.path.join(HERE, "..", "..", "data", "federal-rates.csv")) as f:
    for row in csv.DictReader(f):
        m, d, y = (int(x) for x in row["start_date"].split("-"))
        under = float(row["underpayment"])
        large = float(row["large_corporate_underpayment"] or under + 2)
        ROWS.append((dt.date(y, m, d), under, float(row["overpayment_noncorporate"]), large))


def row_for(day):
    best = ROWS[0]
    for r in ROWS:
        if r[0] <= day:
            best = r
    return best


def round_cents(x):
    return float(Decimal(repr(x)).quantize(Decimal("1"), rounding=ROUND_HALF_UP)) if x >= 0 else \
        -float(Decimal(repr(-x)).quantize(Decimal("1"), rounding=ROUND_HALF_UP))


def cuts(first, last):
    points = set()
    starts = [r[0] for r in ROWS] + [dt.date(y, 1, 1) for y in range(1983, last.year + 2)]
    for s in starts:
        b = s - dt.timedelta(days=1)
        if first < b < last:
            points.add(b)
    return points


def compute(events, compute_date, hot=()):
    """events: list of (date, cents) with charges positive, payments negative; hot: (start, end) pairs,
    end None for no end."""
    first = min(e[0] for e in events)
    hot_cuts = {d for h in hot for d in h if d is not None and first < d < compute_date}
    points = sorted(cuts(first, compute_date) | {e[0] for e in events} | {compute_date} | hot_cuts)
    balance = 0.0
    simple_accrued = 0.0
    under = 0.0
    refund = 0.0
    prev = None
    for t in points:
        if prev is not None and t > prev:
            up, op, large = row_for(prev + dt.timedelta(days=1))[1:]
            if any(a <= prev and (b is None or prev < b) for a, b in hot):
                up = large
            principal = balance
            rate = (up if principal > 0 else op) / 100
            n = (t - prev).days
            if t.year < 1983:
                interest = round_cents(principal * rate * n / 365)
                simple_accrued += interest
            else:
                v = 366 if t.year % 4 == 0 else 365
                interest = round_cents(principal * ((1 + rate / v) ** n - 1))
                balance += interest
            if interest < 0:
                refund += interest
            else:
                under += interest
        # From here on the periods compound daily: the simple interest joins the principal.
        if t >= dt.date(1982, 12, 31) and simple_accrued:
            balance += simple_accrued
            simple_accrued = 0.0
        for d, amount in events:
            if d == t:
                balance += amount
        prev = t
    return under, refund, balance + simple_accrued


def show(name, events, compute_date, hot=()):
    under, refund, total = compute(events, compute_date, hot)
    print(f"{name}: interest {under / 100:.2f}, refund interest {refund / 100:.2f}, total {total / 100:.2f}")


D = dt.date
show("tax 100,000 04-15-95, payment 50,000 06-15-96, to 12-31-97",
     [(D(1995, 4, 15), 10000000.0), (D(1996, 6, 15), -5000000.0)], D(1997, 12, 31))
show("tax 100,000 04-15-95 to 04-15-96", [(D(1995, 4, 15), 10000000.0)], D(1996, 4, 15))
show("tax 10,000 04-15-81 to 06-30-83 (simple, then daily)", [(D(1981, 4, 15), 1000000.0)], D(1983, 6, 30))
show("tax 5,000 and payment 15,000 04-15-99, to 12-31-99 (refund)",
     [(D(1999, 4, 15), 500000.0), (D(1999, 4, 15), -1500000.0)], D(1999, 12, 31))
show("tax 500,000 03-15-99, hot from 07-01-2000 (30-day letter 06-01-2000), to 03-15-2003",
     [(D(1999, 3, 15), 50000000.0)], D(2003, 3, 15), [(D(2000, 7, 1), None)])
show("tax 200,000 04-15-90, hot from 12-31-90, to 01-31-91",
     [(D(1990, 4, 15), 20000000.0)], D(1991, 1, 31), [(D(1990, 12, 31), None)])
show("tax 200,000 04-15-90, hot from 12-31-90, to 02-28-91",
     [(D(1990, 4, 15), 20000000.0)], D(1991, 2, 28), [(D(1990, 12, 31), None)])
show("tax 300,000 04-15-96, hot from 07-01-96 stopped 12-31-97, restart applicable 12-15-97 refused, "
     "to 12-31-99", [(D(1996, 4, 15), 30000000.0)], D(1999, 12, 31), [(D(1996, 7, 1), D(1997, 12, 31))])
