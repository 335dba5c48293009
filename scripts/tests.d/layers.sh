#!/usr/bin/env bash
# The includes of the tree point down its layers (scripts/check-layers.py), and
# the check does catch what breaks them: a copy of the sources with one bad
# include planted must fail, naming the file and the include.
. "$(dirname "$0")/../check-lib.sh"

check "every include of the tree points down its layers" python3 "$root/scripts/check-layers.py" --root "$root"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
(cd "$root" && git ls-files -co --exclude-standard -z -- '*.cpp' '*.h' | xargs -0 cp --parents -t "$copy" 2>/dev/null) || true

planted_fails() {  # file, include line, words the report must name
    local file=$1 line=$2; shift 2
    cp "$root/$file" "$copy/$file.orig"
    printf '%s\n' "$line" >> "$copy/$file"
    local report
    report=$(python3 "$root/scripts/check-layers.py" --root "$copy")
    local status=$?
    mv "$copy/$file.orig" "$copy/$file"
    [ $status -ne 0 ] || return 1
    local word
    for word in "$@"; do grep -qF -- "$word" <<<"$report" || return 1; done
}

# Each planted include: the file, the header it is made to include, and what
# the check says. The report must name the file and the header.
while IFS='|' read -r file include what; do
    file=${file% } include=${include# } include=${include% } what=${what# }
    check "$what" planted_fails "$file" "#include $include" "$file" "$(tr -d '"<>' <<<"$include")"
done <<'PLANTED'
calendar/gregorian.cpp | "app/app_settings.h" | a calendar file that includes the program's settings is named
view/month_view.cpp | "view/win/calendar_window.h" | a portable view file that includes a window header is named
festivals/festival_file.cpp | <windows.h> | a portable file that includes <windows.h> is named
reminders/reminder.cpp | "festivals/festival_rule.h" | festivals and memos do not include each other
holidays/holiday_schedule.cpp | "festivals/festival_rule.h" | the holiday schedule and the festivals do not include each other
holidays/holiday_announcements.cpp | "days/day_info.h" | the holiday schedule reaching up into the day information is named
almanac/almanac_database.cpp | "days/day_info.h" | the almanac reading day information from above it is named
reminders/reminder_file.cpp | "notices/notices.h" | memos reaching up into the notices are named
calendar/lunar_calendar.cpp | "base/file_system.h" | base and calendar stand side by side
export/ics_export.cpp | "view/month_view.h" | the export reaching up into the month view is named
export/win/export_dialog.cpp | "planning/good_days.h" | the export and the planning stand side by side
almanac/yi_ji.cpp | "festivals/festival_rule.h" | the almanac reckoning reading the festivals above it is named
PLANTED
check "the untouched copy passes again" python3 "$root/scripts/check-layers.py" --root "$copy"

summary "layers"
