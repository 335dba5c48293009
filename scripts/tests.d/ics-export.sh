#!/usr/bin/env bash
# solvane-cli export-ics over the shipped festivals, a lunar birthday of the
# user's own and the almanac's solar terms, read back by a strict reader of
# its own (python3): CR LF only, no line over 75 octets, no fold inside a
# UTF-8 sequence, balanced components, the required properties, escaped text.
. "$(dirname "$0")/../cli-lib.sh"
cp "$root/data/Ostrel/holidays.cfg" "$work/holidays.cfg"
printf 'NL,SR,8-12,%s,1940,,,1,1,1\r\n' "$(printf '奶奶的生日<!-COMMA-!>外婆;还有\\' | iconv -f utf-8 -t gbk)" >>"$work/holidays.cfg"
db=()
[ -f "$root/build/native/dist/Ostrel/Database/china.mdb" ] && db=(--db "$root/build/native/dist/Ostrel/Database/china.mdb")
"$cli" export-ics --festivals "$work/holidays.cfg" --memos "$work/none.cfg" "${db[@]}" --terms --out "$work/all.ics" 2>/dev/null
"$cli" export-ics --festivals "$work/holidays.cfg" --memos "$work/none.cfg" --own-festivals-only --years 3 \
    --out "$work/own.ics" 2>/dev/null
python3 - "$work/all.ics" "$work/own.ics" <<'PY'
import sys

def check(path):
    data = open(path, "rb").read()
    problems = []
    if not data.endswith(b"\r\n"):
        problems.append("does not end in CR LF")
    physical = data[:-2].split(b"\r\n")
    logical = []
    for line in physical:
        if b"\r" in line or b"\n" in line:
            problems.append("bare line break")
        if len(line) > 75:
            problems.append("over 75 octets: %r" % line)
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            problems.append("fold inside a UTF-8 sequence: %r" % line)
        if line.startswith(b" "):
            logical[-1] += line[1:]
        else:
            logical.append(line)
    stack, events, current = [], [], None
    for line in (l.decode("utf-8") for l in logical):
        name, _, value = line.partition(":")
        name = name.split(";")[0]
        if name == "BEGIN":
            stack.append(value)
            if value == "VEVENT":
                current = {}
                events.append(current)
        elif name == "END":
            if not stack or stack.pop() != value:
                problems.append("unbalanced END:" + value)
        elif current is not None and stack[-1] == "VEVENT":
            current[name] = current.get(name, []) + [value]
            if name in ("SUMMARY", "DESCRIPTION"):
                v = value.replace("\\\\", "").replace("\\,", "").replace("\\;", "").replace("\\n", "")
                if "," in v or ";" in v or "\\" in v:
                    problems.append("unescaped text: " + value)
    if stack:
        problems.append("unclosed " + stack[-1])
    for e in events:
        for p in ("UID", "DTSTAMP", "DTSTART", "SUMMARY"):
            if len(e.get(p, [])) != 1:
                problems.append("event without exactly one " + p)
    return problems, events

status = 0
problems, events = check(sys.argv[1])
summaries = [e["SUMMARY"][0] for e in events]
if not any(s.startswith("奶奶的生日\\,外婆\\;还有\\\\（") for s in summaries):
    problems.append("the birthday is missing or badly escaped")
if len(events) < 200:
    problems.append("only %d events" % len(events))
own_problems, own = check(sys.argv[2])
if len(own) != 3 or any(not e["SUMMARY"][0].startswith("奶奶的生日") for e in own):
    own_problems.append("own festivals only: %d events" % len(own))
for p in problems + own_problems:
    print("ics export:", p)
    status = 1
if status == 0:
    print("ics export: %d events, strictly valid; own festivals only: %d" % (len(events), len(own)))
sys.exit(status)
PY
