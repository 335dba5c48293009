// libFuzzer target: the month window's kept drawing from arbitrary bytes.
//
// Whatever a file declares (sizes beyond its length, counts, strings), reading
// must stay inside its buffers and hold no more pictures than the file's
// bytes; a drawing it gives back is whole (every picture has a pixel for each
// of its width times height) and is read again the same from what it writes.
// The checksum would stop almost every changed byte at the end, so each input
// is read as it is and again with its last eight bytes made its checksum.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "view/kept_drawing.h"

namespace {

constexpr const char* kStamp = "fuzz";

void Require(bool condition) {
    if (!condition) std::abort();
}

KeptDrawing Read(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    Require(file != nullptr);
    if (!bytes.empty()) Require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::rewind(file);
    KeptDrawing drawing = ReadKeptDrawing(file, bytes.size(), kStamp);
    std::fclose(file);
    return drawing;
}

std::string Written(const KeptDrawing& drawing) {
    KeptDrawingRefs refs;
    for (const KeptBackground& b : drawing.backgrounds) refs.backgrounds.push_back(&b);
    for (const auto& [key, picture] : drawing.texts) refs.texts.emplace_back(&key, &picture);
    std::FILE* file = std::tmpfile();
    Require(file != nullptr && WriteKeptDrawing(file, kStamp, refs));
    const long length = std::ftell(file);
    std::string bytes(static_cast<size_t>(length), '\0');
    std::rewind(file);
    Require(length == 0 || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::fclose(file);
    return bytes;
}

void Check(const std::string& bytes) {
    const KeptDrawing drawing = Read(bytes);
    size_t pixels = 0;
    for (const KeptBackground& b : drawing.backgrounds) {
        Require(b.pixels.size() == static_cast<size_t>(b.width) * static_cast<size_t>(b.height));
        pixels += b.pixels.size();
    }
    for (const auto& [key, picture] : drawing.texts) {
        Require(picture.pixels.empty() ||
                picture.pixels.size() == static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
        pixels += picture.pixels.size();
    }
    Require(pixels * 4 <= bytes.size());
    if (drawing.backgrounds.empty() && drawing.texts.empty()) return;
    const std::string again = Written(drawing);
    const KeptDrawing reread = Read(again);
    Require(reread.backgrounds.size() == drawing.backgrounds.size() && reread.texts.size() == drawing.texts.size());
    Require(Written(reread) == again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    if (bytes.size() >= 16) {
        const std::uint64_t sum =
            KeptDrawingChecksum(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size() - 8);
        for (int i = 0; i < 8; ++i) bytes[bytes.size() - 8 + i] = static_cast<char>(sum >> (8 * i));
        Check(bytes);
    }
    return 0;
}
