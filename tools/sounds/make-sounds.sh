#!/usr/bin/env bash
# Synthesises the two notification sounds with sox. They are committed under
# data/Sound/; run this again only to change them.
#   提醒.wav  a soft rising chime (C6 E6 G6), each note with a faint octave
#             overtone and a bell-like decay, for the daily festival notice
#             when the festival names no sound of its own (no shipped one
#             does), and in place of any sound file that is missing
#   滴滴.wav  two short, rounded beeps, for memo alerts
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")/../.." && pwd)/data/Sound}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rate=22050

note() {  # note FILE FREQUENCY OVERTONE LENGTH
    sox -n -r $rate -c 1 -b 16 "$1" synth "$4" sine "$2" sine "$3" remix 1,2v0.25 \
        fade q 0.005 "$4" 0.8 vol 0.5
}

note "$tmp/c.wav" 1046.5 2093.0 0.9
note "$tmp/e.wav" 1318.5 2637.0 0.9
note "$tmp/g.wav" 1568.0 3136.0 1.1
# Each note rings on under the next one.
sox -m "$tmp/c.wav" "|sox $tmp/e.wav -p pad 0.16" "|sox $tmp/g.wav -p pad 0.32" "$tmp/chime.wav"
sox "$tmp/chime.wav" -b 16 "$out/提醒.wav" fade t 0 1.4 0.9 norm -3

# 1.2 kHz, 90 ms each, 110 ms apart.
sox -n -r $rate -c 1 -b 16 "$tmp/beep.wav" synth 0.09 sine 1200 fade h 0.01 0.09 0.03
sox -n -r $rate -c 1 -b 16 "$tmp/gap.wav" trim 0 0.11
sox "$tmp/beep.wav" "$tmp/gap.wav" "$tmp/beep.wav" "$out/滴滴.wav" norm -4
