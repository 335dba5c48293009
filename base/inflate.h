// zlib streams (a two-byte header, DEFLATE blocks, an Adler-32 of what they
// hold) inflated into a buffer whose size the caller knows beforehand: a
// skin's picture declares its size in its header, so the program decodes it
// itself instead of loading the system's imaging codecs for it. What a stream
// holds is never allowed to grow past that size, so a small file that
// inflates to gigabytes (a "decompression bomb") costs no more memory than
// the picture it claims to be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The bytes the stream holds, exactly `size` of them: nothing when the
// header is not a deflate stream without a preset dictionary, a block or
// code is malformed, a distance points before the start, the stream ends
// early, holds more or fewer than `size` bytes, or its Adler-32 is wrong.
// Bytes after the checksum are refused too.
std::optional<std::vector<unsigned char>> InflateZlib(std::string_view stream, std::size_t size);

// The Adler-32 of the bytes, as a zlib stream ends with it.
std::uint32_t Adler32(const unsigned char* bytes, std::size_t count);
