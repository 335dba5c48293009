#!/usr/bin/env bash
# End-to-end tests of the update check's downloads in Solvane.exe under 64-bit
# Wine, against a local web server that misbehaves on purpose: an answer far
# longer than the program reads, one that never ends, one that never starts,
# and redirects, one to another host (127.0.0.2, which the address rule
# refuses) and one that stays on 127.0.0.1. The served version, 9.9, is newer
# than the program's, so an announcement shows that a download was taken.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-downloads-e2e
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

install="$build/e2e/downloads-install"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
log="$work/requests.log"

# One handler on 127.0.0.1 and 127.0.0.2 (the "other host"), the first path
# segment choosing how it answers; each request is logged as
# "ADDRESS PATH", and what a long answer sent as "ADDRESS PATH sent BYTES".
cat >"$work/server.py" <<'PY'
import http.server, socketserver, sys, threading, time

port, log_path, big = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
lock = threading.Lock()

def log(line):
    with lock, open(log_path, "a") as f:
        f.write(line + "\n")

class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        host = self.server.server_address[0]
        log("%s %s" % (host, self.path))
        mode, _, name = self.path.lstrip("/").partition("/")
        if host == "127.0.0.2" or mode == "ok":
            body = b"9.9\r\n" if name == "version.txt" else b""
            self.send_response(200 if body else 404)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        elif mode == "away":
            self.redirect("http://127.0.0.2:%d/%s" % (port, name))
        elif mode == "hop":
            self.redirect("/ok/" + name)
        elif mode == "silent":
            time.sleep(600)
        else:  # big, endless: the version first, then blanks, no length given
            self.send_response(200)
            self.end_headers()
            sent = 0
            try:
                self.wfile.write(b"9.9\r\n")
                while sent < big:
                    chunk = b" " * (65536 if mode == "big" else 1)
                    self.wfile.write(chunk)
                    self.wfile.flush()
                    sent += len(chunk)
                    if mode == "endless":
                        time.sleep(0.2)
            except OSError:
                pass
            log("%s %s sent %d" % (host, self.path, sent))

    def redirect(self, to):
        self.send_response(302)
        self.send_header("Location", to)
        self.send_header("Content-Length", "0")
        self.end_headers()

class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

for address in ("127.0.0.1", "127.0.0.2"):
    threading.Thread(target=Server((address, port), Handler).serve_forever, daemon=True).start()
threading.Event().wait()
PY
big=$((64 * 1024 * 1024))
python3 "$work/server.py" "$port" "$log" "$big" &
e2e_pids+=($!)
eventually --within 10 python3 -c "import socket; socket.create_connection(('127.0.0.2', $port), 1)"

start_app() {  # the first path segment of the version file's address on the server
    install_fresh "$install" "Template=Default" "UpdateVersionUrl=http://127.0.0.1:$port/$1/version.txt" \
        "UpdateRetryPause=1000" "UpdateTimeLimit=3000"
    : >"$log"
    touch "$work/started"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

asked() { grep -c "^127.0.0.1 /$1\$" "$log" 2>/dev/null || true; }  # requests for PATH
asked_at_least() { [ "$(asked "$1")" -ge "$2" ]; }                   # PATH, count
# Files of 1 MB or more the run left in the prefix: the Internet cache, the
# temporary folder, anything.
big_files() { find "$WINEPREFIX/drive_c" -type f -newer "$work/started" -size +1M 2>/dev/null; }

# --- an answer far longer than what the program reads ---------------------------------------
start_app big
check "a version file of 64 MB is asked for" eventually asked_at_least big/version.txt 1
check "and refused: nothing is announced from its first line" drive no-update-box 15000
check "the oversized answer is not read whole ($(grep -h 'big/version.txt sent' "$log" | head -1))" \
    eval '! grep -q "big/version.txt sent $big" "$log"'
check "and asked for again later, as a failed download is" eventually --within 30 asked_at_least big/version.txt 2
stop_app
check "after exit no file of a megabyte is left behind ($(big_files | head -3 | tr '\n' ' '))" test -z "$(big_files)"

# --- an answer that never ends, and one that never starts ----------------------------------------
start_app endless
check "an answer that never ends is given up, and asked for again at the next attempt" \
    eventually --within 40 asked_at_least endless/version.txt 2
check "and announces nothing" drive no-update-box 1000
stop_app

start_app silent
check "a server that accepts and never answers is given up, and asked again at the next attempt" \
    eventually --within 40 asked_at_least silent/version.txt 2
stop_app

# --- redirects ----------------------------------------------------------------------------------
start_app away
check "a version file redirected to another host is asked for" eventually asked_at_least away/version.txt 1
check "and nothing is announced" drive no-update-box 8000
check "the other host is never asked ($(grep -c '^127.0.0.2' "$log") requests)" \
    eval '! grep -q "^127.0.0.2" "$log"'
stop_app

start_app hop
box=$(drive update-box 20000 cancel)
check "a redirect that stays on the local server is followed: 9.9 is announced ($box)" \
    eval '[[ "$box" == *新版本为9.9* ]] && asked_at_least ok/version.txt 1'
stop_app

e2e_summary downloads_e2e
