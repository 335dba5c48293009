#!/usr/bin/python3
"""Helpers of caldav_sync.sh and sync_page_e2e.sh, run with Debian's python3 (python3-caldav):

  caldav_sync_tools.py memos PATH TEXT,YYYY-MM-DD,HH:MM,REPEAT,ALERT1,ALERT2,STAMP ...
      writes a memo file as the program stores it (REPEAT 0 once, 5 yearly;
      ALERT codes 0 none, 1 at the time, 3 15 minutes, 7 a day; STAMP the
      milliseconds the editor's clock gave, which identify the memo)
  caldav_sync_tools.py radicale FOLDER PORT
      Radicale on 127.0.0.1:PORT, the user alice with the password secret,
      its configuration and collections in FOLDER
  caldav_sync_tools.py proxy PORT UPSTREAM_PORT MODE_FILE
      a proxy to the server that, as MODE_FILE says, answers in its place:
      none, malformed, huge, slow, full (507 to PUT), stale (412 to a PUT
      with If-Match), stop (the connection closed at the second PUT), drop
      (the connection of the first PUT reset before any answer, once)
  caldav_sync_tools.py list URL USER PASSWORD CALENDAR
      the calendar's events as python-caldav reads them, one line each:
      DTSTART SUMMARY [alarm triggers] UID
  caldav_sync_tools.py edit URL USER PASSWORD CALENDAR DATE NEW_SUMMARY [NEW_START]
      changes the summary of the event on DATE (and its start, given as
      YYYYMMDDTHHMMSS local time), as a phone would
  caldav_sync_tools.py delete URL USER PASSWORD CALENDAR DATE
      deletes the event on DATE, as a phone would
  caldav_sync_tools.py read-memos PATH
      the memos of a memo file, one line each: TEXT YYYY-MM-DD HH:MM
"""
import http.client
import http.server
import os
import socket
import socketserver
import struct
import sys
import threading
import time


def write_memos(path, rows):
    lines = ["[ITEMS]"]
    for i, row in enumerate(rows):
        text, date, clock, repeat, alert1, alert2, stamp = row.split(",")
        y, m, d = map(int, date.split("-"))
        hh, mm = map(int, clock.split(":"))
        start = struct.pack("<8H", y, m, 1, d, hh, mm, 0, int(stamp))
        fields = start + bytes(16) + struct.pack("<6i", 0, 0, int(repeat), int(alert1), int(alert2), 1)
        content = text.encode("gbk")
        data = fields + content + bytes(10000 - len(content))
        lines.append("Item%d=%s%02X" % (i, data.hex().upper(), sum(data) & 0xFF))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def read_memos(path):
    with open(path, "rb") as f:
        for line in f.read().decode("ascii").split("\r\n"):
            if not line.startswith("Item"):
                continue
            data = bytes.fromhex(line.partition("=")[2][:-2])
            y, m, _, d, hh, mm, _, _ = struct.unpack("<8H", data[:16])
            text = data[56:].split(b"\0")[0].decode("gbk")
            print("%s %04d-%02d-%02d %02d:%02d" % (text, y, m, d, hh, mm))


def run_radicale(folder, port):
    """Radicale on 127.0.0.1:PORT with the user alice (password secret), its
    collections in FOLDER; the process becomes the server, so its id is the
    caller's to stop."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "users"), "w") as users:
        users.write("alice:secret\n")
    config = os.path.join(folder, "config")
    with open(config, "w") as out:
        out.write(f"""[server]
hosts = 127.0.0.1:{port}
[auth]
type = htpasswd
htpasswd_filename = {folder}/users
htpasswd_encryption = plain
[storage]
filesystem_folder = {folder}/collections
[logging]
level = warning
""")
    os.execv(sys.executable, [sys.executable, "-m", "radicale", "--config", config])


def run_proxy(port, upstream, mode_file):
    puts = {"n": 0, "dropped": False}

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def answer(self, status, body=b"", headers=()):
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def handle_any(self):
            length = int(self.headers.get("Content-Length") or 0)
            body = self.rfile.read(length) if length else b""
            mode = open(mode_file).read().strip()
            if self.command == "REPORT" and mode == "malformed":
                return self.answer(207, b"<d:multistatus xmlns:d='DAV:'><d:response><d:href>/x", [("Content-Type", "application/xml")])
            if self.command == "REPORT" and mode == "huge":
                return self.answer(207, b"<d:multistatus xmlns:d='DAV:'>" + b" " * (9 << 20) + b"</d:multistatus>")
            if self.command == "REPORT" and mode == "slow":
                time.sleep(45)
            if self.command == "PUT" and mode == "full":
                return self.answer(507)
            if self.command == "PUT" and mode == "stale" and self.headers.get("If-Match"):
                return self.answer(412)
            if self.command == "PUT" and mode == "stop":
                puts["n"] += 1
                if puts["n"] >= 2:
                    self.close_connection = True
                    self.connection.shutdown(2)
                    return
            if self.command == "PUT" and mode == "drop" and not puts["dropped"]:
                # What a server does to a kept-alive connection it has given
                # up on: a reset, the request unanswered.
                puts["dropped"] = True
                print("dropped", self.command, self.path, flush=True)
                self.close_connection = True
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
                self.rfile.close()
                self.connection.close()
                return
            connection = http.client.HTTPConnection("127.0.0.1", upstream, timeout=60)
            headers = {k: v for k, v in self.headers.items() if k.lower() not in ("host", "connection")}
            connection.request(self.command, self.path, body=body, headers=headers)
            reply = connection.getresponse()
            data = reply.read()
            passed = [(k, v) for k, v in reply.getheaders()
                      if k.lower() not in ("content-length", "connection", "transfer-encoding")]
            self.answer(reply.status, data, passed)

        do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_MKCALENDAR = do_OPTIONS = handle_any

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True

    Server(("127.0.0.1", port), Handler).serve_forever()


def unfolded(text):
    lines = []
    for line in text.replace("\r\n", "\n").split("\n"):
        if line.startswith((" ", "\t")) and lines:
            lines[-1] += line[1:]
        elif line:
            lines.append(line)
    return lines


def calendar_of(url, user, password, name):
    import caldav
    client = caldav.DAVClient(url, username=user, password=password)
    for calendar in client.principal().calendars():
        if calendar.name == name:
            return calendar
    sys.exit("no calendar named %s at %s" % (name, url))


def event_lines(event):
    props, triggers, in_alarm = {}, [], False
    for line in unfolded(event.data):
        key, _, value = line.partition(":")
        key = key.split(";")[0].upper()
        if line == "BEGIN:VALARM":
            in_alarm = True
        elif line == "END:VALARM":
            in_alarm = False
        elif in_alarm and key == "TRIGGER":
            triggers.append(value)
        elif not in_alarm and key not in props:
            props[key] = value
    start = props.get("DTSTART", "")
    start = start[:4] + "-" + start[4:6] + "-" + start[6:8] + (" " + start[9:11] + ":" + start[11:13] if "T" in start else "")
    rule = " " + props["RRULE"] if "RRULE" in props else ""
    alarms = " [" + " ".join(triggers) + "]" if triggers else ""
    return "%s %s%s%s %s" % (start, props.get("SUMMARY", ""), rule, alarms, props.get("UID", ""))


def main():
    command = sys.argv[1]
    if command == "memos":
        write_memos(sys.argv[2], sys.argv[3:])
    elif command == "radicale":
        run_radicale(sys.argv[2], int(sys.argv[3]))
    elif command == "proxy":
        run_proxy(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
    elif command == "list":
        calendar = calendar_of(*sys.argv[2:6])
        for line in sorted(event_lines(e) for e in calendar.events()):
            print(line)
    elif command in ("edit", "delete"):
        calendar = calendar_of(*sys.argv[2:6])
        date = sys.argv[6].replace("-", "")
        for event in calendar.events():
            lines = unfolded(event.data)
            if any(l.split(":")[0].startswith("DTSTART") and l.split(":")[1].startswith(date) for l in lines):
                if command == "delete":
                    event.delete()
                    return
                summary, start = sys.argv[7], sys.argv[8] if len(sys.argv) > 8 else None

                def changed(line):
                    if line.startswith("SUMMARY"):
                        return "SUMMARY:" + summary
                    if start and line.startswith("DTSTART"):
                        return "DTSTART:" + start
                    return line
                event.data = "\r\n".join(changed(l) for l in lines) + "\r\n"
                event.save()
                return
        sys.exit("no event on " + date)
    elif command == "read-memos":
        read_memos(sys.argv[2])


if __name__ == "__main__":
    main()
