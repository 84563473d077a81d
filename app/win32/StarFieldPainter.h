#pragma once

#include "app/StarField.h"

#include <windows.h>

#include <optional>

// The star field, decoded from the program's resource when it is first
// painted, drawn at its own size from the top-left corner of its area and
// clipped to it. A picture that cannot be decoded leaves the area to the
// window's black background.
class StarFieldPainter {
public:
    explicit StarFieldPainter(RECT area);
    void Paint(HDC dc);

private:
    void Decode();

    RECT area_;
    bool decoded_ = false;
    std::optional<RgbImage> picture_;
    std::vector<unsigned char> bgrRows_;  // bottom-up rows padded to 4 bytes, as a DIB holds them
};
