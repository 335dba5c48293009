#!/usr/bin/env bash
# solvane-cli plans ahead: good-days lists the days of an activity, in
# everyday words or the almanac's own, with their columns and refuses an
# unknown activity naming the known ones; leave-plan
# prints the plans of a published year, plans a year awaiting its notice
# from the law's days with a note, and says so for an older one without a
# schedule; lunar finds lunar dates in the Gregorian calendar and refuses
# months and days the year does not have.
. "$(dirname "$0")/../cli-lib.sh"
export LC_ALL=C.UTF-8
status=0

run() {  # the expected exit status, then the arguments; output in $work/out and $work/err
    local expected=$1 code=0
    shift
    "$cli" "$@" >"$work/out" 2>"$work/err" || code=$?
    if [ "$code" -ne "$expected" ]; then
        echo "solvane-cli $*: expected exit $expected, got $code:"
        cat "$work/out" "$work/err"
        status=1
    fi
}

has() {  # where (out|err), the exact line expected
    if ! grep -qxF -- "$2" "$work/$1"; then
        echo "expected the line \"$2\" on $1, got:"
        cat "$work/$1"
        status=1
    fi
}

lines() {  # the number of lines expected on standard output
    if [ "$(wc -l <"$work/out")" -ne "$1" ]; then
        echo "expected $1 lines, got:"
        cat "$work/out"
        status=1
    fi
}

# 吉日: every line has the six columns, 宜 names the activity's items only.
run 0 good-days 嫁娶 --from 2026-12-01 --to 2026-12-31
head -1 "$work/out" | grep -q '^嫁娶吉日 2026-12-01 至 2026-12-31：共[0-9]*天$' || { echo "no heading"; status=1; }
if tail -n +2 "$work/out" | grep -v -E '^2026-12-[0-9]{2}  [^ ]+  星期.  ..（[黄黑]道）  冲.\(..\)  宜：(嫁娶|结婚姻|纳采问名)( (嫁娶|结婚姻|纳采问名))*$'; then
    echo "lines of good-days without the columns"
    status=1
fi
[ "$(wc -l <"$work/out")" -gt 1 ] || { echo "no good days for 嫁娶 in December 2026"; status=1; }
run 0 good-days 嫁娶 --from 2026-12-01 --to 2026-12-31 --huangdao-only
grep -q '黑道' "$work/out" && { echo "--huangdao-only listed a 黑道 day"; status=1; }
run 0 good-days 出行 --from 2026-10-01 --to 2026-10-31 --days-off-only --not-clash 马
grep -q '冲马' "$work/out" && { echo "--not-clash 马 listed a day that clashes with the horse"; status=1; }
# Everyday words stand for the almanac's items; its own words for themselves.
run 0 good-days 结婚 --from 2026-12-01 --to 2026-12-31
if tail -n +2 "$work/out" | grep -v -E '  宜：(嫁娶|结婚姻)( (嫁娶|结婚姻))*$'; then
    echo "good-days 结婚 listed days without 嫁娶 or 结婚姻"
    status=1
fi
[ "$(wc -l <"$work/out")" -gt 1 ] || { echo "no good days for 结婚 in December 2026"; status=1; }
for word in 领证 入宅 装修 提车 纳畜; do
    run 0 good-days "$word" --from 2026-12-01 --to 2027-02-28
    head -1 "$work/out" | grep -q "^${word}吉日 " || { echo "good-days $word: no heading"; status=1; }
done
run 2 good-days 吃饭
has err "solvane-cli: unknown activity 吃饭; the activities: 结婚 嫁娶 领证 订婚 搬家 入宅 装修 动土 上梁 提车 买房 开业 开工 签约 求财 出行 旅游 安床 祭祀 祈福 求子 求医 理发 入学 上任 入职 会友 裁衣 栽种 安葬, or any of the almanac's sixty (纳畜 ...)"
run 2 good-days 嫁娶 --from 2026-12-01 --to 2027-12-01
run 2 good-days 嫁娶 --not-clash 猫

# 拼假: 2026 as worked out by hand (planning/tests/leave_plan_test.cpp).
run 0 leave-plan 2026 --max-leave 1
has out "中秋节：9月25日至27日放假，共3天"
has out "  请1天（9月24日）连休4天（9月24日至27日）"
has out "国庆节：10月1日至7日放假调休，共7天"
has out "  请1天（10月8日）连休8天（10月1日至8日）"
run 0 leave-plan 2026
has out "  请3天（9月28日至30日）连休13天（9月25日至10月7日）"
# 2027's notice is not out: planned from the law's days, and said so.
run 0 leave-plan 2027 --max-leave 1
has out "2027年的放假安排尚未发布，以下按法定假日和周末推算，调休以国务院通知为准"
has out "国庆节：10月1日至3日为法定假日，共3天"
has out "  请1天（9月30日）连休4天（9月30日至10月3日）"
# Before the present law, a year without a notice has nothing to plan from.
run 1 leave-plan 2001
has out "2001年的放假安排尚未发布，无法拼假"
run 2 leave-plan 2026 --max-leave 6

# 旧历: 2027年八月十二, a leap month, a lunar birthday over the years.
run 0 lunar 2027 8 12
grep -q '^2027-09-12  星期日  旧历二〇二七年八月十二  ' "$work/out" || { echo "lunar 2027 8 12:"; cat "$work/out"; status=1; }
run 0 lunar 2023 2 1 --leap
grep -q '^2023-03-22  星期三  旧历二〇二三年闰二月初一  ' "$work/out" || { echo "lunar 2023 2 1 --leap:"; cat "$work/out"; status=1; }
run 0 lunar 8 15 --years 10
lines 10
run 2 lunar 2027 6 1 --leap
has err "solvane-cli: lunar 2027 has no leap month 6 (it has none)"
run 2 lunar 2023 3 1 --leap
has err "solvane-cli: lunar 2023 has no leap month 3 (its leap month is 2)"
run 2 lunar 2023 2 30 --leap
has err "solvane-cli: lunar 2023 leap month 2 has 29 days"
run 2 lunar 2027 13 1
run 2 lunar 2100 1 1

# Every number is read with its range: one too large for the machine is
# refused like any other out of range, never wrapped round to a small one
# (2^32 + 2026 is not 2026), and a text that is no number is named as such.
while IFS='|' read -r expected arguments; do
    read -r -a words <<<"$arguments"
    run 2 "${words[@]}"
    has err "solvane-cli: $expected"
    if [ -s "$work/out" ]; then
        echo "solvane-cli $arguments printed:"
        cat "$work/out"
        status=1
    fi
done <<'TABLE'
4294969322: a year from 1901 to 2099|leave-plan 4294969322
20x6: not a number|leave-plan 20x6
--max-leave 4294967297: from 1 to 5 days of leave|leave-plan 2026 --max-leave 4294967297
--max-leave -1: from 1 to 5 days of leave|leave-plan 2026 --max-leave -1
--max-leave 2.5: not a number|leave-plan 2026 --max-leave 2.5
lunar month 4294967297: there is no such month|lunar 2026 4294967297 1
lunar day 4294967297: a lunar month has 29 or 30 days|lunar 2026 1 4294967297
lunar year 4294969322: the calendar covers 1901 to 2099|lunar 4294969322 1 1
lunar month 8x: not a number|lunar 2027 8x 12
--years 4294967297: from 1 to 199 years|lunar 8 15 --years 4294967297
TABLE

[ $status -eq 0 ] && echo "solvane-cli finds good days, plans leave and finds lunar dates"
exit $status
