#!/usr/bin/env python3
"""Writes a reminder file (reminders.cfg) of COUNT reminders for the flip benchmark.

  write_reminders.py PATH COUNT [FIRST_YEAR]

The mix is what a long-time user collects: of every twenty reminders twelve
happen once (spread over ten years from FIRST_YEAR, default this year less
two), four come back every year (birthdays, anniversaries), two every month,
one every week and one every day. None alerts, so that no notice interrupts
what is measured. Each is stored as the program stores it: the 10 056-byte
record in hex digits and its checksum byte, GBK text, CR LF line ends.
"""
import datetime
import struct
import sys

RECORD_SIZE = 10056
CONTENT_SIZE = 10000
REPEAT_NONE, REPEAT_DAILY, REPEAT_WEEKLY, REPEAT_MONTHLY, REPEAT_YEARLY = 0, 1, 2, 4, 5
GREGORIAN = 1
# Repetition of the n-th reminder of every twenty.
MIX = [REPEAT_NONE] * 12 + [REPEAT_YEARLY] * 4 + [REPEAT_MONTHLY] * 2 + [REPEAT_WEEKLY, REPEAT_DAILY]
TEXTS = ["去银行办理业务", "给妈妈打电话", "交水电费", "同学聚会", "体检", "还信用卡", "项目例会", "生日"]


def record(start, repeat, text):
    def systemtime(t):
        return struct.pack("<8H", t.year, t.month, (t.weekday() + 1) % 7, t.day, t.hour, t.minute, 0, 0)

    content = text.encode("gbk")
    # repeatEnd, hasRepeatEnd, category, repeat, first and second alert, calendar
    fields = systemtime(start) + bytes(16) + struct.pack("<6i", 0, 0, repeat, 0, 0, GREGORIAN)
    data = fields + content + bytes(CONTENT_SIZE - len(content))
    assert len(data) == RECORD_SIZE
    return data


def main():
    path, count = sys.argv[1], int(sys.argv[2])
    first_year = int(sys.argv[3]) if len(sys.argv) > 3 else datetime.date.today().year - 2
    origin = datetime.datetime(first_year, 1, 1, 9, 30)
    lines = ["[ITEMS]"]
    for i in range(count):
        repeat = MIX[i % len(MIX)]
        # One-off reminders every few days over ten years; the others start
        # in the first year, on days spread over it.
        days = (i * 3653 // max(count, 1)) if repeat == REPEAT_NONE else (i * 37) % 365
        start = origin + datetime.timedelta(days=days, minutes=(i % 12) * 30)
        text = "第%d条：%s" % (i + 1, TEXTS[i % len(TEXTS)])
        data = record(start, repeat, text)
        lines.append("Item%d=%s%02X" % (i, data.hex().upper(), sum(data) & 0xFF))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
