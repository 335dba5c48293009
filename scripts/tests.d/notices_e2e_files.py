#!/usr/bin/env python3
"""Files and observations for notices_e2e.sh.

  memos PATH START TEXT [START TEXT ...]
      writes the memo file: one Gregorian memo without repetition per pair,
      START as YYYY-MM-DDTHH:MM, alerting when it happens (alert code 1)
  add-memo PATH START TEXT
      appends one such memo to the memo file's [ITEMS], as another program
      (a sync client) would
  festivals PATH LINE [LINE ...]
      writes the festival file, GBK, CR LF line ends
  watch-opens FOLDER LOG
      appends "NAME" to LOG each time a file in FOLDER is opened (inotify),
      until killed; LOG exists once the watch is in place
  product-version EXE VERSION
      rewrites the ProductVersion string of EXE's version resource in place
      (VERSION must not be longer than the text it replaces)
"""
import ctypes
import datetime
import os
import struct
import sys

RECORD_SIZE = 10056
CONTENT_SIZE = 10000


def memo_record(start, text):
    def systemtime(t):
        return struct.pack("<8H", t.year, t.month, (t.weekday() + 1) % 7, t.day, t.hour, t.minute, 0, 0)

    content = text.encode("gbk")
    assert len(content) < CONTENT_SIZE
    # hasRepeatEnd, category, repeat, first and second alert, calendar (1: Gregorian)
    record = (systemtime(start) + bytes(16) + struct.pack("<6i", 0, 0, 0, 1, 0, 1) +
              content + bytes(CONTENT_SIZE - len(content)))
    assert len(record) == RECORD_SIZE, len(record)
    return record


def write_memos(path, pairs):
    lines = ["[ITEMS]"]
    for i, (start, text) in enumerate(pairs):
        record = memo_record(datetime.datetime.strptime(start, "%Y-%m-%dT%H:%M"), text)
        lines.append("Item%d=%s%02X" % (i, record.hex().upper(), sum(record) & 0xFF))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def add_memo(path, start, text):
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    while lines and lines[-1] == "":
        lines.pop()
    numbers = [int(line[4:line.index("=")]) for line in lines if line.startswith("Item") and "=" in line]
    record = memo_record(datetime.datetime.strptime(start, "%Y-%m-%dT%H:%M"), text)
    lines.append("Item%d=%s%02X" % (max(numbers, default=-1) + 1, record.hex().upper(), sum(record) & 0xFF))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("latin-1"))


def write_festivals(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("gbk"))


def watch_opens(folder, log):
    IN_OPEN = 0x20
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    fd = libc.inotify_init()
    if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_OPEN) < 0:
        sys.exit("inotify unavailable")
    with open(log, "a", buffering=1, encoding="utf-8") as out:
        while True:
            data = os.read(fd, 65536)
            offset = 0
            while offset < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode("utf-8", "replace")
                out.write(name + "\n")
                offset += 16 + length


def patch_product_version(exe, version):
    data = bytearray(open(exe, "rb").read())
    key = "ProductVersion\0".encode("utf-16-le")
    at = data.find(key)
    while at >= 0:  # the key also occurs in the code that reads it
        start = at + len(key)
        start += (4 - start % 4) % 4  # the value is DWORD-aligned after its key
        end = start
        while data[end:end + 2] != b"\0\0":
            end += 2
        old = data[start:end].decode("utf-16-le", "replace")
        if old and all(c in "0123456789." for c in old):
            if len(version) > len(old):
                sys.exit("version %r longer than %r" % (version, old))
            data[start:end] = version.ljust(len(old), "\0").encode("utf-16-le")
            open(exe, "wb").write(bytes(data))
            return
        at = data.find(key, at + 2)
    sys.exit("no ProductVersion value in " + exe)


def main(argv):
    command = argv[1]
    if command == "memos":
        write_memos(argv[2], list(zip(argv[3::2], argv[4::2])))
    elif command == "add-memo":
        add_memo(argv[2], argv[3], argv[4])
    elif command == "festivals":
        write_festivals(argv[2], argv[3:])
    elif command == "watch-opens":
        watch_opens(argv[2], argv[3])
    elif command == "product-version":
        patch_product_version(argv[2], argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
