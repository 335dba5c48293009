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

check "a calendar file that includes the program's settings is named" \
    planted_fails calendar/gregorian.cpp '#include "app/app_settings.h"' calendar/gregorian.cpp app/app_settings.h
check "a portable view file that includes a window header is named" \
    planted_fails view/month_view.cpp '#include "view/win/calendar_window.h"' view/month_view.cpp view/win/calendar_window.h
check "a portable file that includes <windows.h> is named" \
    planted_fails festivals/festival_file.cpp '#include <windows.h>' festivals/festival_file.cpp windows.h
check "festivals and memos do not include each other" \
    planted_fails reminders/reminder.cpp '#include "festivals/festival_rule.h"' reminders/reminder.cpp festivals/festival_rule.h
check "the holiday schedule and the festivals do not include each other" \
    planted_fails holidays/holiday_schedule.cpp '#include "festivals/festival_rule.h"' holidays/holiday_schedule.cpp festivals/festival_rule.h
check "the holiday schedule reaching up into the day information is named" \
    planted_fails holidays/holiday_announcements.cpp '#include "days/day_info.h"' holidays/holiday_announcements.cpp days/day_info.h
check "the almanac reading day information from above it is named" \
    planted_fails almanac/almanac_database.cpp '#include "days/day_info.h"' almanac/almanac_database.cpp days/day_info.h
check "memos reaching up into the notices are named" \
    planted_fails reminders/reminder_file.cpp '#include "notices/notices.h"' reminders/reminder_file.cpp notices/notices.h
check "base and calendar stand side by side" \
    planted_fails calendar/lunar_calendar.cpp '#include "base/file_system.h"' calendar/lunar_calendar.cpp base/file_system.h
check "the export reaching up into the month view is named" \
    planted_fails export/ics_export.cpp '#include "view/month_view.h"' export/ics_export.cpp view/month_view.h
check "the export and the planning stand side by side" \
    planted_fails export/win/export_dialog.cpp '#include "planning/good_days.h"' export/win/export_dialog.cpp planning/good_days.h
check "the almanac reckoning reading the festivals above it is named" \
    planted_fails almanac/yi_ji.cpp '#include "festivals/festival_rule.h"' almanac/yi_ji.cpp festivals/festival_rule.h
check "the untouched copy passes again" python3 "$root/scripts/check-layers.py" --root "$copy"

summary "layers"
