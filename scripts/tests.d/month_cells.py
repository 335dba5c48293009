#!/usr/bin/env python3
"""Where the month window places a day, from a template's config.ini, for the
end-to-end tests: the same integer arithmetic as the month layout.

    month_cells.py CONFIG YEAR MONTH centre DAY   -> "x y" of the cell's centre
    month_cells.py CONFIG YEAR MONTH number DAY   -> "left top right bottom" of its number box
    month_cells.py CONFIG YEAR MONTH cell DAY     -> "left top right bottom" of the whole cell
Day 0 is the empty cell before the 1st (when there is one). Sunday first.
"""
import datetime
import sys


def settings(path):
    values = {}
    for line in open(path, encoding="latin-1"):
        if "=" in line and not line.lstrip().startswith(";"):
            key, value = line.split("=", 1)
            values[key.strip().upper()] = value.strip()
    return values


def main():
    config, year, month, what, day = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], int(sys.argv[5])
    values = settings(config)
    left, top, right, bottom = (int(v) for v in values["BODY"].split(","))
    header = int(values.get("HEIGHTWEEKDAYROW", "0"))
    first = datetime.date(year, month, 1)
    offset = (first.isoweekday() - 7 + 7) % 7
    days = ((first.replace(month=month % 12 + 1, year=year + month // 12)) - first).days
    rows = -(-(offset + days) // 7)
    cw, rh = (right - left) // 7, (bottom - top - header) // rows
    a, b = int(0.4 * rh), int(0.6 * rh)
    k = offset + day - 1 if day > 0 else offset - 1
    x, y = left + (k % 7) * cw, top + header + (k // 7) * rh
    if what == "centre":
        print(x + cw // 2, y + (a + b) // 2)
    elif what == "cell":
        print(x, y, x + cw, y + a + b)
    else:
        print(x, y, x + cw, y + a)


if __name__ == "__main__":
    main()
