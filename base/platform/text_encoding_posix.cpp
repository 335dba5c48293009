#include <errno.h>
#include <iconv.h>

#include "base/text_encoding.h"

namespace {

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// How many bytes one character at `in` takes when the input is UTF-8: a whole
// well-formed sequence, so that a character without a GBK form (한) becomes
// one '?' as on Windows; a malformed byte alone.
std::size_t Utf8CharLength(const char* in, std::size_t left) {
    const auto lead = static_cast<unsigned char>(in[0]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (length > left || lead > 0xF7) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

// Converts with an open iconv descriptor; a character that cannot be
// converted is written as '?' and skipped, so the output always covers the
// whole input.
std::string Convert(iconv_t cd, const std::string& input, bool fromUtf8) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return input;
    std::string output(input.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t written = 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (output.size() - written < 8) output.resize(output.size() * 2);
        char* out = &output[written];
        size_t outLeft = output.size() - written;
        const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        written = output.size() - outLeft;
        if (result != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        // Invalid or incomplete sequence, or no counterpart in the target. The
        // output may have filled up exactly before it.
        if (written == output.size()) output.resize(output.size() * 2);
        output[written++] = '?';
        const std::size_t skipped = fromUtf8 ? Utf8CharLength(in, inLeft) : 1;
        in += skipped;
        inLeft -= skipped;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    output.resize(written);
    return output;
}

}  // namespace

struct TextConverter::State {
    // CP936 is what Windows means by GBK (it also maps 0x80 to the euro sign).
    iconv_t toGbk = iconv_open("CP936", "UTF-8");
    iconv_t toUtf8 = iconv_open("UTF-8", "CP936");
    ~State() {
        if (toGbk != reinterpret_cast<iconv_t>(-1)) iconv_close(toGbk);
        if (toUtf8 != reinterpret_cast<iconv_t>(-1)) iconv_close(toUtf8);
    }
};

TextConverter::TextConverter() : state_(new State) {}
TextConverter::~TextConverter() = default;

std::string TextConverter::GbkFromUtf8(const std::string& utf8) {
    return IsAscii(utf8) ? utf8 : Convert(state_->toGbk, utf8, true);
}

std::string TextConverter::Utf8FromGbk(const std::string& gbk) {
    return IsAscii(gbk) ? gbk : Convert(state_->toUtf8, gbk, false);
}
