// The decisions of the once-per-start update check; the download itself and
// the message box belong to the Windows shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

constexpr int kUpdateCheckAttempts = 10;
constexpr int kUpdateRetryPauseMs = 120000;

// The numbers of the dotted version a text starts with ("1.0.1 beta" gives
// 1, 0, 1); none when it does not start with a digit.
std::vector<unsigned long> VersionNumbers(const std::string& text);

// Whether the published version is higher than the program's own, number by
// number (1.0.1 > 1.0.0 > 0.9, 2.10 > 2.9); missing numbers count as 0, so a
// plain "2.1" is 2.1.0. Text without a version is never newer.
bool IsNewerVersion(const std::string& published, const std::string& own);

// The announcement shown when a newer version is published.
std::string UpdateAnnouncementText(const std::string& productName, const std::string& published,
                                   const std::string& own);

// GUID fields as the platform generates them.
struct GuidFields {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// 32 uppercase hex digits of the GUID + ".txt" in the folder. A trailing
// separator on the folder is not doubled.
std::filesystem::path UpdateTemporaryFileName(const std::filesystem::path& tempFolder, const GuidFields& guid);

// The address of another file of the update site: `url` with its last path
// segment (and any query) replaced by `name`. "" when the address has no path.
std::string SiblingUrl(const std::string& url, const std::string& name);
inline constexpr char kServedScheduleFileName[] = "offdays.txt";

// The version text as announced: the digits and dots the version file's first
// line starts with (after a UTF-8 byte-order mark and blanks), at most
// kVersionTextLimit bytes, so that a stray page or a huge file served in its
// place never shows anything but a version in the message box.
inline constexpr std::size_t kVersionTextLimit = 64;
std::string PublishedVersionText(const std::string& fileContents);

// Whether an address from the settings file may stand in for a built-in one:
// only https, or plain http to this machine (127.0.0.1), where tests serve
// the files.
bool IsAcceptedUpdateAddress(const std::string& url);
// Whether the address is a web page (http or https) that may be handed to the
// browser; anything else would be opened, or run, by whatever it names.
bool IsWebAddress(const std::string& url);
