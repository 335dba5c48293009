// Any text as a checksummed structure value: decoding either refuses it or
// yields bytes that encode back to the same text (in upper case), and any
// bytes encode to a value that decodes to themselves.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/profile_file.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Every length near the one the text would fit, so that wrong lengths are
    // exercised as well as the right one.
    const std::size_t fitting = size >= 2 ? (size - 2) / 2 : 0;
    for (std::size_t length = fitting > 0 ? fitting - 1 : 0; length <= fitting + 1; ++length) {
        std::vector<std::uint8_t> bytes(length, 0xA5);
        if (!DecodeProfileStruct(text, bytes.data(), length)) {
            Check(bytes == std::vector<std::uint8_t>(length, 0xA5));
            continue;
        }
        Check(size == 2 * length + 2);
        std::string upper = text;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        Check(EncodeProfileStruct(bytes.data(), length) == upper);
    }

    const std::string encoded = EncodeProfileStruct(data, size);
    Check(encoded.size() == 2 * size + 2);
    std::vector<std::uint8_t> decoded(size);
    Check(DecodeProfileStruct(encoded, decoded.data(), size));
    Check(std::equal(decoded.begin(), decoded.end(), data));
    return 0;
}
