#pragma once

#include <cstddef>
#include <optional>
#include <vector>

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;  // RGB, 3 bytes a pixel, row-major, no padding
};

// Decodes a baseline or progressive JPEG held in memory; nullopt when libjpeg cannot decode it.
// A damaged picture (cut short, broken scan data) counts as one libjpeg cannot decode.
std::optional<RgbImage> DecodeJpeg(const unsigned char* data, std::size_t size);
