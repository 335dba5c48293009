// The decisions of the once-per-start update check; the download itself and
// the message box belong to the Windows shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kUpdateCheckAttempts = 10;
constexpr int kUpdateRetryPauseMs = 120000;

// The leading decimal number of a version text as strtod reads it; text that
// does not start with a number reads as 0.
double LeadingVersionNumber(const std::string& text);

// Whether the published version is higher than the program's own, comparing
// their leading numbers (so 2.10 is lower than 2.9).
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

// tempFolder + "\" + 32 uppercase hex digits of the GUID + ".txt". A trailing
// separator on the folder is not doubled.
std::string UpdateTemporaryFileName(const std::string& tempFolder, const GuidFields& guid);

// The address of another file of the update site: `url` with its last path
// segment (and any query) replaced by `name`. "" when the address has no path.
std::string SiblingUrl(const std::string& url, const std::string& name);
inline constexpr char kOffDaysFileName[] = "offdays.txt";

// The version text as announced: the version file's first line without a
// UTF-8 byte-order mark and surrounding blanks, at most kVersionTextLimit bytes, so that a stray page or
// a huge file served in its place never fills the message box.
inline constexpr std::size_t kVersionTextLimit = 64;
std::string PublishedVersionText(const std::string& fileContents);
