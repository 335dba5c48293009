#include "app/about_text.h"

#include <cstdio>

std::string AboutVersionText(const std::string& productVersion) { return "版本号：" + productVersion; }

std::string AboutUpdateDateText(const std::optional<SystemTime>& lastWrite) {
    if (!lastWrite) return "更新日期：<无>";
    char date[32];
    std::snprintf(date, sizeof date, "%04d年%02d月%02d日", lastWrite->year, lastWrite->month, lastWrite->day);
    return std::string("更新日期：") + date;
}
