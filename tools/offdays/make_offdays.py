#!/usr/bin/env python3
"""Writes data/Ostrel/offdays-shipped.cfg, the shipped holiday schedule, from
cn-public-holidays.tsv beside this script (date, holiday, 休 or 班, one day a
line, as compiled from the State Council's yearly notices).

    python3 tools/offdays/make_offdays.py
"""
import csv
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE / "cn-public-holidays.tsv"
TARGET = HERE.parent.parent / "data" / "Ostrel" / "offdays-shipped.cfg"

HEADER = """\
# 法定节假日安排：每行一天，格式为「日期,休或班,节日名称」，例如 2026-10-01,休,国庆节
# 「休」为放假的日子，「班」为调休上班的日子；未列出的日子按平常的星期安排。
# 可以手工更正或添加新的一年（保存为 GBK 或 UTF-8 均可）；以 # 或 ; 开头的行是注释。
# 同一日期出现多次时以最后一行为准。程序在每年11月起会自动取回下一年的安排。
"""


def days():
    with SOURCE.open(encoding="utf-8", newline="") as source:
        rows = [line for line in source if not line.startswith("#")]
    for row in csv.DictReader(rows, delimiter="\t"):
        yield row["date"], row["kind"], row["holiday"]


def main():
    lines = HEADER.splitlines()
    for date, kind, name in days():
        assert kind in ("休", "班") and "," not in name, (date, kind, name)
        lines.append(f"{date},{kind},{name}")
    TARGET.write_bytes(("\r\n".join(lines) + "\r\n").encode("gbk"))


if __name__ == "__main__":
    main()
