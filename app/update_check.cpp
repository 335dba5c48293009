#include "app/update_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "base/file_path.h"
#include "base/gbk_scan.h"

std::vector<unsigned long> VersionNumbers(const std::string& text) {
    std::vector<unsigned long> numbers;
    std::size_t i = text.find_first_not_of(" \t\r\n");
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        unsigned long number = 0;
        // A number past nine digits is as high as nine nines: no overflow.
        for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            if (digits < 9) number = number * 10 + static_cast<unsigned long>(text[i] - '0');
        }
        numbers.push_back(number);
        if (i + 1 < text.size() && text[i] == '.' && text[i + 1] >= '0' && text[i + 1] <= '9')
            ++i;
        else
            break;
    }
    return numbers;
}

bool IsNewerVersion(const std::string& published, const std::string& own) {
    std::vector<unsigned long> higher = VersionNumbers(published);
    std::vector<unsigned long> lower = VersionNumbers(own);
    // Missing numbers are zeros: "2.1" is 2.1.0.
    const std::size_t length = std::max(higher.size(), lower.size());
    higher.resize(length, 0);
    lower.resize(length, 0);
    return lower < higher;
}

std::string UpdateAnnouncementText(const std::string& productName, const std::string& published,
                                   const std::string& own) {
    return "发现" + productName + "的新版本！新版本为" + published + "，当前版本为" + own +
           "。\n\n请点击【确定】查看升级详情。如果现在不想升级，请点击【取消】。";
}

std::filesystem::path UpdateTemporaryFileName(const std::filesystem::path& tempFolder, const GuidFields& guid) {
    char digits[33];
    std::snprintf(digits, sizeof digits, "%08X%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0], guid.data4[1],
                  guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return PathBelow(tempFolder, std::string(digits) + ".txt");
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
    // Only the version itself is shown: digits and the dots between them.
    const std::string line = fileContents.substr(begin, cut - begin);
    std::size_t digits = 0;
    while (digits < line.size() && ((line[digits] >= '0' && line[digits] <= '9') || line[digits] == '.')) ++digits;
    while (digits > 0 && line[digits - 1] == '.') --digits;
    return line.substr(0, digits);
}

namespace {

// The parts of an http or https address that decide where it leads.
struct WebAddress {
    bool secure = false;
    std::string host;
};

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// An address is read as scheme, "//", host, an optional port and the rest.
// User information ("name@host") is refused outright: a host written in front
// of an "@" is only a user name, so "http://127.0.0.1:80@elsewhere/" leads
// elsewhere. Anything but plain host characters (a backslash, a space, a
// percent escape) is refused rather than guessed at.
std::optional<WebAddress> ParseWebAddress(const std::string& url) {
    WebAddress address;
    std::size_t rest;
    if (url.size() >= 8 && EqualsIgnoringAsciiCase(std::string_view(url).substr(0, 8), "https://")) {
        address.secure = true;
        rest = 8;
    } else if (url.size() >= 7 && EqualsIgnoringAsciiCase(std::string_view(url).substr(0, 7), "http://")) {
        rest = 7;
    } else {
        return std::nullopt;
    }
    for (const char c : url) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return std::nullopt;
    }
    const std::size_t end = std::min(url.find_first_of("/?#", rest), url.size());
    const std::string authority = url.substr(rest, end - rest);
    const std::size_t colon = authority.find(':');
    address.host = authority.substr(0, colon);
    if (address.host.empty() || !std::all_of(address.host.begin(), address.host.end(), IsHostCharacter)) {
        return std::nullopt;
    }
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            std::stol(port) < 1 || std::stol(port) > 65535) {
            return std::nullopt;
        }
    }
    return address;
}

}  // namespace

bool IsAcceptedUpdateAddress(const std::string& url) {
    const std::optional<WebAddress> address = ParseWebAddress(url);
    return address && (address->secure || address->host == "127.0.0.1");
}

bool IsWebAddress(const std::string& url) { return ParseWebAddress(url).has_value(); }

std::string SiblingUrl(const std::string& url, const std::string& name) {
    const std::size_t scheme = url.find("://");
    const std::size_t pathStart = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (pathStart == std::string::npos) return std::string();
    const std::size_t end = url.find_first_of("?#", pathStart);
    const std::size_t lastSlash = url.rfind('/', end == std::string::npos ? std::string::npos : end - 1);
    return url.substr(0, lastSlash + 1) + name;
}
