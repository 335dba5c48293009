#include "base/text_file_encoding.h"

#include <algorithm>
#include <string_view>

#include "base/text_encoding.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark = std::string_view("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BeMark = std::string_view("\0\0\xFE\xFF", 4);

// How much of a file without a mark is looked at for UTF-16's NUL bytes.
constexpr std::size_t kSniffBytes = 8192;

bool StartsWith(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

// Well-formed UTF-8 as editors write it: no overlong forms, surrogates or
// values beyond U+10FFFF. `longForms` counts the characters of three and
// four bytes (Chinese), `shortForms` those of two (Latin, Greek, ...).
bool IsStrictUtf8(const std::string& bytes, std::size_t* shortForms, std::size_t* longForms) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        ++*(length == 2 ? shortForms : longForms);
        i += length;
    }
    return true;
}

// Without a mark: strict UTF-8 holding Chinese. Many GBK characters are a
// two-byte UTF-8 form by chance (值 is D6 B5), a whole text of three-byte
// forms almost never, so a text whose characters are mostly two-byte forms
// stays GBK.
bool LooksLikeUtf8(const std::string& bytes) {
    std::size_t shortForms = 0, longForms = 0;
    return IsStrictUtf8(bytes, &shortForms, &longForms) && longForms > 0 && shortForms <= longForms;
}

// UTF-16 text that is mostly ASCII (every one of these files: digits, commas,
// "[ITEMS]", keys) has a NUL in one half of most code units; GBK and UTF-8
// have NULs only by accident. One in four units is enough, and the other half
// must hold clearly fewer (U+4E00 一 is 00 4E).
TextFileEncoding Utf16ByNuls(const std::string& bytes) {
    const std::size_t sniffed = std::min(bytes.size(), kSniffBytes) & ~std::size_t{1};
    if (sniffed < 2) return TextFileEncoding::kGbk;
    std::size_t evenNuls = 0, oddNuls = 0;
    for (std::size_t i = 0; i < sniffed; ++i) {
        if (bytes[i] == '\0') ++(i % 2 == 0 ? evenNuls : oddNuls);
    }
    const std::size_t units = sniffed / 2;
    if (oddNuls * 4 >= units && oddNuls > 2 * evenNuls) return TextFileEncoding::kUtf16Le;
    if (evenNuls * 4 >= units && evenNuls > 2 * oddNuls) return TextFileEncoding::kUtf16Be;
    return TextFileEncoding::kGbk;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units from `begin` (an even count of bytes) as UTF-8; a lone
// surrogate becomes U+FFFD, which has no GBK form.
std::string Utf8FromUtf16(const std::string& bytes, std::size_t begin, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> char16_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string utf8;
    utf8.reserve((bytes.size() - begin) / 2 * 3 / 2);
    for (std::size_t i = begin; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(utf8, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(utf8, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return utf8;
}

// The next code point of well-formed UTF-8 at `i`, moving `i` past it.
char32_t NextCodePoint(const std::string& utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    i += length;
    return c;
}

void AppendUtf16(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string Utf16FromUtf8(const std::string& utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c >= 0x10000) {
            AppendUtf16(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), bigEndian);
            AppendUtf16(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), bigEndian);
        } else {
            AppendUtf16(out, static_cast<char16_t>(c), bigEndian);
        }
    }
    return out;
}

// The converter writes '?' for what GBK lacks: more '?' after than before
// means characters were lost.
DecodedTextFile GbkOfUtf8(const std::string& utf8, TextFileEncoding encoding, bool marked) {
    DecodedTextFile decoded;
    decoded.encoding = encoding;
    decoded.marked = marked;
    decoded.text = GbkFromUtf8(utf8);
    decoded.unmappable =
        std::count(decoded.text.begin(), decoded.text.end(), '?') > std::count(utf8.begin(), utf8.end(), '?');
    return decoded;
}

DecodedTextFile Unreadable() {
    DecodedTextFile decoded;
    decoded.encoding = TextFileEncoding::kUnreadable;
    return decoded;
}

}  // namespace

DecodedTextFile DecodeTextFile(std::string bytes) {
    if (StartsWith(bytes, kUtf32LeMark) || StartsWith(bytes, kUtf32BeMark)) return Unreadable();
    if (StartsWith(bytes, kUtf8Mark)) {
        bytes.erase(0, kUtf8Mark.size());
        std::size_t shortForms = 0, longForms = 0;
        if (!IsStrictUtf8(bytes, &shortForms, &longForms)) return Unreadable();
        return GbkOfUtf8(bytes, TextFileEncoding::kUtf8, true);
    }
    const bool littleMark = StartsWith(bytes, kUtf16LeMark), bigMark = StartsWith(bytes, kUtf16BeMark);
    const TextFileEncoding utf16 = littleMark ? TextFileEncoding::kUtf16Le
                                   : bigMark  ? TextFileEncoding::kUtf16Be
                                              : Utf16ByNuls(bytes);
    if (utf16 != TextFileEncoding::kGbk) {
        if (bytes.size() % 2 != 0) return Unreadable();
        const std::size_t begin = littleMark || bigMark ? 2 : 0;
        return GbkOfUtf8(Utf8FromUtf16(bytes, begin, utf16 == TextFileEncoding::kUtf16Be), utf16, begin != 0);
    }
    if (LooksLikeUtf8(bytes)) return GbkOfUtf8(bytes, TextFileEncoding::kUtf8, false);
    DecodedTextFile decoded;
    decoded.text = std::move(bytes);
    return decoded;
}

std::string EncodeTextFile(const std::string& gbk, TextFileEncoding encoding, bool marked) {
    switch (encoding) {
        case TextFileEncoding::kUtf8:
            return (marked ? std::string(kUtf8Mark) : std::string()) + Utf8FromGbk(gbk);
        case TextFileEncoding::kUtf16Le:
            return (marked ? std::string(kUtf16LeMark) : std::string()) + Utf16FromUtf8(Utf8FromGbk(gbk), false);
        case TextFileEncoding::kUtf16Be:
            return (marked ? std::string(kUtf16BeMark) : std::string()) + Utf16FromUtf8(Utf8FromGbk(gbk), true);
        default:
            return gbk;
    }
}

const char* TextFileEncodingName(TextFileEncoding encoding) {
    if (encoding == TextFileEncoding::kGbk) return "GBK";
    if (encoding == TextFileEncoding::kUtf8) return "UTF-8";
    if (encoding == TextFileEncoding::kUtf16Le || encoding == TextFileEncoding::kUtf16Be) return "UTF-16";
    return "无法识别的编码";
}
