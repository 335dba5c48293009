#include "caldav/http_exchange.h"

#include <algorithm>
#include <cctype>

std::string HttpAnswer::Header(const std::string& name) const {
    const auto same = [&](const std::pair<std::string, std::string>& header) {
        return header.first.size() == name.size() &&
               std::equal(name.begin(), name.end(), header.first.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    const auto found = std::find_if(headers.begin(), headers.end(), same);
    return found == headers.end() ? std::string() : found->second;
}
