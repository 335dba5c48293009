#include "tools/cli/console_output.h"

#include <iconv.h>

#include <cstdio>
#include <vector>

#include "base/text_encoding.h"

namespace {

void WriteGbkTo(const std::string& gbk, std::FILE* stream) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::fwrite(gbk.data(), 1, gbk.size(), stream);
        return;
    }
    std::vector<char> out(gbk.size() * 2 + 16);
    char* in = const_cast<char*>(gbk.data());
    size_t inLeft = gbk.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            // An invalid byte: show a replacement and step over it.
            if (outLeft < 4) break;
            *outPtr++ = '?';
            --outLeft;
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    std::fwrite(out.data(), 1, out.size() - outLeft, stream);
}

}  // namespace

void WriteGbk(const std::string& gbk) { WriteGbkTo(gbk, stdout); }

void WriteGbkError(const std::string& gbk) { WriteGbkTo(gbk, stderr); }

std::string GbkArgument(const char* argument) {
    return IsValidUtf8(argument) ? GbkFromUtf8(argument) : std::string(argument);
}

void WriteBytes(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }
