#include "view/kept_drawing.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

// Pixels are written and read as they lie in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are stored in memory order, little-endian");

namespace {

constexpr char kMagic[4] = {'S', 'V', 'K', 'D'};
constexpr std::uint32_t kVersion = 1;
// Bounds on what a file may declare, beyond its own length: a text longer
// than any a cell shows, more backgrounds or texts than a window keeps, a
// side wider than any screen.
constexpr std::uint32_t kLongestString = 4096;
constexpr std::uint32_t kMostFamilies = 256;
constexpr std::uint32_t kMostBackgrounds = 4;
constexpr std::uint32_t kMostTexts = 4096;
constexpr std::int32_t kWidestSide = 16384;

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ClosedFile = std::unique_ptr<std::FILE, CloseFile>;  // closed when it goes

// FNV-1a over the bytes as 64-bit little-endian words (the last one padded
// with zeros), then the count: eight bytes a step, where a byte-wise sum took
// most of a start's reading of the file.
class Checksum {
public:
    void Add(const unsigned char* bytes, size_t count) {
        count_ += count;
        for (; count > 0 && filled_ > 0; --count) Take(*bytes++);
        for (; count >= 8; bytes += 8, count -= 8) Mix(bytes);
        for (; count > 0; --count) Take(*bytes++);
    }
    std::uint64_t Value() const {
        std::uint64_t sum = sum_;
        if (filled_ > 0) {
            unsigned char last[8] = {};
            std::memcpy(last, pending_, filled_);
            sum = (sum ^ Word(last)) * kPrime;
        }
        return (sum ^ count_) * kPrime;
    }

private:
    static constexpr std::uint64_t kPrime = 0x100000001B3ull;
    static std::uint64_t Word(const unsigned char* b) {
        std::uint64_t word = 0;
        for (int i = 7; i >= 0; --i) word = word << 8 | b[i];
        return word;
    }
    void Mix(const unsigned char* b) { sum_ = (sum_ ^ Word(b)) * kPrime; }
    void Take(unsigned char byte) {
        pending_[filled_++] = byte;
        if (filled_ == 8) {
            Mix(pending_);
            filled_ = 0;
        }
    }

    std::uint64_t sum_ = 0xCBF29CE484222325ull;
    std::uint64_t count_ = 0;
    unsigned char pending_[8] = {};
    size_t filled_ = 0;
};

// Reads the file in order, keeping the checksum of what it has read; once a
// read fails (or would pass the declared length) every later one fails too.
class Reader {
public:
    Reader(std::FILE* file, std::uint64_t length) : file_(file), left_(length) {}
    bool ok() const { return ok_; }
    std::uint64_t left() const { return left_; }
    std::uint64_t checksum() const { return checksum_.Value(); }

    bool Bytes(void* to, std::uint64_t count) {
        if (!ok_ || count > left_ || (count > 0 && std::fread(to, 1, static_cast<size_t>(count), file_) != count)) {
            return ok_ = false;
        }
        checksum_.Add(static_cast<const unsigned char*>(to), static_cast<size_t>(count));
        left_ -= count;
        return true;
    }
    std::uint64_t Unsigned(int bytes) {
        unsigned char b[8] = {};
        if (!Bytes(b, static_cast<std::uint64_t>(bytes))) return 0;
        std::uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[i];
        return value;
    }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Unsigned(1)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::int64_t I64() { return static_cast<std::int64_t>(Unsigned(8)); }
    std::string String() {
        const std::uint32_t length = U32();
        if (length > kLongestString || length > left_) {
            ok_ = false;
            return std::string();
        }
        std::string text(length, '\0');
        Bytes(text.data(), length);
        return text;
    }
    // A picture's pixels, refused before anything is allocated when the file
    // cannot hold them.
    std::vector<std::uint32_t> Pixels(std::int32_t width, std::int32_t height) {
        std::vector<std::uint32_t> pixels;
        if (width <= 0 || height <= 0 || width > kWidestSide || height > kWidestSide ||
            static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 > left_) {
            ok_ = false;
            return pixels;
        }
        pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        if (!Bytes(pixels.data(), pixels.size() * 4)) return {};
        return pixels;
    }
    std::optional<FileStamp> Stamp() {
        const std::uint8_t present = Byte();
        const std::int64_t modified = I64(), size = I64();
        if (present > 1) ok_ = false;
        if (present != 1) return std::nullopt;
        return FileStamp{modified, size};
    }

private:
    std::FILE* file_;
    std::uint64_t left_;
    Checksum checksum_;
    bool ok_ = true;
};

// Buffers what is written and hands it to the file in large pieces, keeping
// the checksum of all of it.
class Writer {
public:
    explicit Writer(std::FILE* file) : file_(file) {}

    void Bytes(const void* from, size_t count) {
        const auto* bytes = static_cast<const unsigned char*>(from);
        checksum_.Add(bytes, count);
        if (count >= kPiece) {  // a picture: straight to the file, never copied
            Flush();
            ok_ = ok_ && std::fwrite(bytes, 1, count, file_) == count;
            return;
        }
        buffer_.insert(buffer_.end(), bytes, bytes + count);
        if (buffer_.size() >= kPiece) Flush();
    }
    void Unsigned(std::uint64_t value, int bytes) {
        unsigned char b[8];
        for (int i = 0; i < bytes; ++i) b[i] = static_cast<unsigned char>(value >> (8 * i));
        Bytes(b, static_cast<size_t>(bytes));
    }
    void Byte(std::uint8_t value) { Unsigned(value, 1); }
    void U32(std::uint32_t value) { Unsigned(value, 4); }
    void I32(std::int32_t value) { Unsigned(static_cast<std::uint32_t>(value), 4); }
    void I64(std::int64_t value) { Unsigned(static_cast<std::uint64_t>(value), 8); }
    void String(const std::string& text) {
        U32(static_cast<std::uint32_t>(text.size()));
        Bytes(text.data(), text.size());
    }
    void Pixels(const std::vector<std::uint32_t>& pixels) { Bytes(pixels.data(), pixels.size() * 4); }
    void Stamp(const std::optional<FileStamp>& stamp) {
        Byte(stamp ? 1 : 0);
        I64(stamp ? stamp->modified : 0);
        I64(stamp ? stamp->size : 0);
    }
    // The checksum last, then everything to the file.
    bool Finish() {
        Unsigned(checksum_.Value(), 8);
        Flush();
        return ok_ && std::fflush(file_) == 0;
    }

private:
    static constexpr size_t kPiece = 64 * 1024;
    void Flush() {
        if (ok_ && !buffer_.empty()) ok_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
        buffer_.clear();
    }

    std::FILE* file_;
    std::vector<unsigned char> buffer_;
    Checksum checksum_;
    bool ok_ = true;
};

// A path as the platform holds it, its code units' bytes as they lie in
// memory (UTF-16 on Windows): no conversion, which could fail on a name no
// other encoding holds (a lone surrogate) or on bytes a damaged file holds.
std::string NativeBytes(const std::filesystem::path& path) {
    const std::filesystem::path::string_type& native = path.native();
    return std::string(reinterpret_cast<const char*>(native.data()),
                       native.size() * sizeof(std::filesystem::path::value_type));
}

std::filesystem::path NativePath(const std::string& bytes) {
    std::filesystem::path::string_type native(bytes.size() / sizeof(std::filesystem::path::value_type), 0);
    std::memcpy(native.data(), bytes.data(), native.size() * sizeof(std::filesystem::path::value_type));
    return std::filesystem::path(std::move(native));
}

bool SensibleStyle(const TextStyle& style) { return style.size > 0 && style.size <= kWidestSide; }

bool WholePicture(const std::vector<std::uint32_t>& pixels, int width, int height) {
    return width > 0 && height > 0 && width <= kWidestSide && height <= kWidestSide &&
           pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height);
}

KeptDrawing ReadWhole(std::FILE* file, std::uint64_t length, const std::string& stamp) {
    Reader in(file, length);
    char magic[4] = {};
    in.Bytes(magic, 4);
    if (!in.ok() || std::memcmp(magic, kMagic, 4) != 0 || in.U32() != kVersion || in.String() != stamp) return {};

    KeptDrawing drawing;
    const std::uint32_t families = in.U32();
    if (families > kMostFamilies) return {};
    for (std::uint32_t i = 0; i < families && in.ok(); ++i) {
        std::string name = in.String();
        const std::uint8_t installed = in.Byte();
        if (installed > 1) return {};
        drawing.families.emplace_back(std::move(name), installed == 1);
    }
    const std::uint32_t backgrounds = in.ok() ? in.U32() : 0;
    if (backgrounds > kMostBackgrounds) return {};
    for (std::uint32_t i = 0; i < backgrounds && in.ok(); ++i) {
        KeptBackground b;
        b.path = NativePath(in.String());
        b.dpi = in.I32();
        b.picture = in.Stamp();
        b.doubleSize = in.Stamp();
        b.width = in.I32();
        b.height = in.I32();
        b.pixels = in.Pixels(b.width, b.height);
        drawing.backgrounds.push_back(std::move(b));
    }
    const std::uint32_t texts = in.ok() ? in.U32() : 0;
    if (texts > kMostTexts) return {};
    for (std::uint32_t i = 0; i < texts && in.ok(); ++i) {
        TextPictureKey key;
        key.text = in.String();
        key.style.family = in.String();
        key.style.size = in.I32();
        key.style.bold = in.Byte() != 0;
        for (Color* colour : {&key.style.color, &key.style.shadow}) {
            colour->red = in.Byte();
            colour->green = in.Byte();
            colour->blue = in.Byte();
        }
        key.style.shadowHeight = in.I32();
        key.width = in.I32();
        key.height = in.I32();
        const std::uint8_t alignment = in.Byte();
        if (alignment > static_cast<std::uint8_t>(HorizontalAlignment::kRight) || !SensibleStyle(key.style)) break;
        key.alignment = static_cast<HorizontalAlignment>(alignment);
        TextPicture picture;
        picture.left = in.I32();
        picture.top = in.I32();
        picture.width = in.I32();
        picture.height = in.I32();
        const std::uint8_t drawn = in.Byte();
        if (drawn > 1) break;
        if (drawn == 1) picture.pixels = in.Pixels(picture.width, picture.height);
        drawing.texts.emplace_back(std::move(key), std::move(picture));
    }
    const std::uint64_t expected = in.checksum();
    if (!in.ok() || drawing.texts.size() != texts || in.Unsigned(8) != expected || !in.ok() || in.left() != 0)
        return {};
    return drawing;
}

bool WriteWhole(std::FILE* file, const std::string& stamp, const KeptDrawingRefs& drawing) {
    Writer out(file);
    out.Bytes(kMagic, 4);
    out.U32(kVersion);
    out.String(stamp);
    std::vector<const KeptFamily*> families;
    for (const KeptFamily& family : drawing.families) {
        if (families.size() < kMostFamilies && family.first.size() <= kLongestString) families.push_back(&family);
    }
    out.U32(static_cast<std::uint32_t>(families.size()));
    for (const KeptFamily* family : families) {
        out.String(family->first);
        out.Byte(family->second ? 1 : 0);
    }
    std::vector<const KeptBackground*> backgrounds;
    for (const KeptBackground* b : drawing.backgrounds) {
        if (backgrounds.size() < kMostBackgrounds && WholePicture(b->pixels, b->width, b->height) &&
            NativeBytes(b->path).size() <= kLongestString)
            backgrounds.push_back(b);
    }
    std::vector<std::pair<const TextPictureKey*, const TextPicture*>> texts;
    for (const auto& text : drawing.texts) {
        if (texts.size() < kMostTexts && text.first->text.size() <= kLongestString &&
            text.first->style.family.size() <= kLongestString && SensibleStyle(text.first->style)) {
            texts.push_back(text);
        }
    }
    out.U32(static_cast<std::uint32_t>(backgrounds.size()));
    for (const KeptBackground* b : backgrounds) {
        out.String(NativeBytes(b->path));
        out.I32(b->dpi);
        out.Stamp(b->picture);
        out.Stamp(b->doubleSize);
        out.I32(b->width);
        out.I32(b->height);
        out.Pixels(b->pixels);
    }
    out.U32(static_cast<std::uint32_t>(texts.size()));
    for (const auto& [key, picture] : texts) {
        const bool drawn = WholePicture(picture->pixels, picture->width, picture->height);
        out.String(key->text);
        out.String(key->style.family);
        out.I32(key->style.size);
        out.Byte(key->style.bold ? 1 : 0);
        for (const Color* colour : {&key->style.color, &key->style.shadow}) {
            out.Byte(colour->red);
            out.Byte(colour->green);
            out.Byte(colour->blue);
        }
        out.I32(key->style.shadowHeight);
        out.I32(key->width);
        out.I32(key->height);
        out.Byte(static_cast<std::uint8_t>(key->alignment));
        out.I32(picture->left);
        out.I32(picture->top);
        out.I32(picture->width);
        out.I32(picture->height);
        out.Byte(drawn ? 1 : 0);
        if (drawn) out.Pixels(picture->pixels);
    }
    return out.Finish();
}

}  // namespace

std::uint64_t KeptDrawingChecksum(const unsigned char* bytes, size_t count) {
    Checksum sum;
    sum.Add(bytes, count);
    return sum.Value();
}

// Memory a large file could not have (a 32-bit program's address space in
// pieces) gives nothing, as a damaged file does: the month is drawn anew.
KeptDrawing ReadKeptDrawing(std::FILE* file, std::uint64_t length, const std::string& stamp) {
    try {
        return ReadWhole(file, length, stamp);
    } catch (const std::exception&) {
        return {};
    }
}

KeptDrawing ReadKeptDrawingFile(const std::filesystem::path& path, const std::string& stamp) {
    const std::optional<FileStamp> file = ReadFileStamp(path);
    if (!file || file->size <= 0 || static_cast<std::uint64_t>(file->size) > kKeptDrawingFileLimit) return {};
    const ClosedFile f(OpenFile(path, "rb"));
    if (!f) return {};
    return ReadKeptDrawing(f.get(), static_cast<std::uint64_t>(file->size), stamp);
}

bool WriteKeptDrawing(std::FILE* file, const std::string& stamp, const KeptDrawingRefs& drawing) {
    try {
        return WriteWhole(file, stamp, drawing);
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteKeptDrawingFile(const std::filesystem::path& path, const std::string& stamp, const KeptDrawingRefs& drawing) {
    std::filesystem::path written = path;
    written += ".new";
    ClosedFile f(OpenFile(written, "wb"));
    if (!f) return false;
    const bool wrote = WriteKeptDrawing(f.get(), stamp, drawing);
    const bool closed = std::fclose(f.release()) == 0;
    if (wrote && closed && RenameFile(written, path)) return true;
    RemoveFile(written);
    return false;
}
