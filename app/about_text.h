// The texts of the About box that are more than a copied value.
#pragma once

#include <optional>
#include <string>

#include "calendar/gregorian.h"

// "版本号：" + the product version.
std::string AboutVersionText(const std::string& productVersion);
// "更新日期：2013年01月05日" from the executable's last-write date in local
// time, or "更新日期：<无>" when the file could not be asked.
std::string AboutUpdateDateText(const std::optional<SystemTime>& lastWrite);
