#include "app/update_check.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>

#include "base/gbk_scan.h"

double LeadingVersionNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

bool IsNewerVersion(const std::string& published, const std::string& own) {
    return LeadingVersionNumber(own) < LeadingVersionNumber(published);
}

std::string UpdateAnnouncementText(const std::string& productName, const std::string& published,
                                   const std::string& own) {
    return "发现" + productName + "的新版本！新版本为" + published + "，当前版本为" + own +
           "。\n\n请点击【确认】查看升级详情。如果现在不想升级，请点击【取消】。";
}

std::string UpdateTemporaryFileName(const std::string& tempFolder, const GuidFields& guid) {
    char digits[33];
    std::snprintf(digits, sizeof digits, "%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0], guid.data4[1],
                  guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    std::string folder = tempFolder;
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder + "\\" + digits + ".txt";
}

std::string PublishedVersionText(const std::string& fileContents) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    // A file saved by Notepad as UTF-8 starts with a byte-order mark, which
    // would otherwise hide the number from strtod.
    std::size_t begin = fileContents.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (begin < fileContents.size() && isBlank(fileContents[begin])) ++begin;
    std::size_t end = fileContents.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = fileContents.size();
    while (end > begin && isBlank(fileContents[end - 1])) --end;
    end = std::min(end, begin + kVersionTextLimit);
    // Never cut a double-byte character in half.
    std::size_t cut = begin;
    while (cut < end) {
        const std::size_t width = GbkCharLength(fileContents, cut);
        if (cut + width > end) break;
        cut += width;
    }
    return fileContents.substr(begin, cut - begin);
}

std::string SiblingUrl(const std::string& url, const std::string& name) {
    const std::size_t scheme = url.find("://");
    const std::size_t pathStart = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (pathStart == std::string::npos) return std::string();
    const std::size_t end = url.find_first_of("?#", pathStart);
    const std::size_t lastSlash = url.rfind('/', end == std::string::npos ? std::string::npos : end - 1);
    return url.substr(0, lastSlash + 1) + name;
}
