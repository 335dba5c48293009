// The pixel size a PNG file declares in its header, read without decoding the
// picture, so that window sizes can be worked out where no image library is.
#pragma once

#include <optional>
#include <string>

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Nothing when the file is missing, not a PNG, or declares a size of zero or
// beyond PNG's limit of 2^31 - 1.
std::optional<PixelSize> ReadPngSize(const std::string& path);
