// What the month window draws that depends on nothing of the day: the skin's
// background at the window's scale and the pictures of its texts. A start
// draws them all for its first month (two thirds of that month's cost, and
// under Wine most of a frame and more), yet they come out the same at every
// start until the program, the skin's picture, the scale or the system's
// fonts change; so do the answers to which font families are installed,
// whose first question costs the graphics library a look through every
// font. So the window's drawing of its first month is kept in one
// file (base/data_paths.h: Ostrel\drawing.cache) and the next start lays
// them from it; the day's own marks (today's ring, memo dots, which text
// lies where) are drawn afresh every time.
//
// The file is the program's own and only a copy: a file that is missing,
// damaged, cut short or written by another program or system (its stamp,
// made by the caller from the program, the graphics library and the fonts,
// differs) gives nothing, and the window draws everything as it would
// without one. It is written whole beside its place and then renamed over
// it, so a start never reads one half written.
//
// Layout, integers little-endian (the pixels as 32-bit words, premultiplied
// ARGB), strings as a 32-bit length and their bytes:
//   "SVKD", version (32 bits), the stamp;
//   font families (32 bits), each: its name and whether it is installed (a
//     byte 0 or 1);
//   backgrounds (32 bits), each: its picture's path (the platform's code
//     units as they lie in memory: UTF-16 on Windows), DPI, the
//     picture's and its double-size picture's file stamps (a byte 0 or 1,
//     then the time and the size, 64 bits each), width, height, the pixels;
//   texts (32 bits), each: text, family, size, bold (a byte), the fill's and
//     the halo's red, green and blue (bytes), halo strength, box width and
//     height, alignment (a byte); its picture's left, top, width and height,
//     a byte 1 when pixels follow;
//   a 64-bit checksum of everything before it (KeptDrawingChecksum).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/file_system.h"
#include "view/text_pictures.h"

// The month's background as it lies on the window at one scale: the skin's
// picture (its double-size one from 175 % on) at `dpi`, the two files as they
// were when it was drawn.
struct KeptBackground {
    std::filesystem::path path;
    int dpi = 0;
    std::optional<FileStamp> picture, doubleSize;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // premultiplied ARGB, row by row
};

// A font family's name and whether it is installed.
using KeptFamily = std::pair<std::string, bool>;

struct KeptDrawing {
    std::vector<KeptFamily> families;
    std::vector<KeptBackground> backgrounds;
    std::vector<std::pair<TextPictureKey, TextPicture>> texts;
};

// What is written: the window's own pictures, referred to.
struct KeptDrawingRefs {
    std::vector<KeptFamily> families;
    std::vector<const KeptBackground*> backgrounds;
    std::vector<std::pair<const TextPictureKey*, const TextPicture*>> texts;
};

// The largest file read: a month at 300 % on a 4K screen is a fraction of it.
inline constexpr std::uint64_t kKeptDrawingFileLimit = 64u << 20;

// The drawing in the `length` bytes `file` holds from where it stands;
// nothing when they are not a whole drawing of this stamp. Never holds more
// than `length` bytes' worth of pictures.
KeptDrawing ReadKeptDrawing(std::FILE* file, std::uint64_t length, const std::string& stamp);
// The file at `path`, at most kKeptDrawingFileLimit bytes; nothing when it is
// missing, larger or not a whole drawing of this stamp.
KeptDrawing ReadKeptDrawingFile(const std::filesystem::path& path, const std::string& stamp);

// The checksum a file ends with, of the bytes before it.
std::uint64_t KeptDrawingChecksum(const unsigned char* bytes, size_t count);

// Writes the drawing to `file`; false when a write fails.
bool WriteKeptDrawing(std::FILE* file, const std::string& stamp, const KeptDrawingRefs& drawing);
// Writes it to `path` + ".new" and renames that over `path`; false, leaving
// the file at `path` as it was and no ".new" file, when either step fails.
bool WriteKeptDrawingFile(const std::filesystem::path& path, const std::string& stamp, const KeptDrawingRefs& drawing);
