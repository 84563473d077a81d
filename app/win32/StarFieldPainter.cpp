#include "app/win32/StarFieldPainter.h"

#include "app/win32/Resources.h"

#include <algorithm>

namespace {
std::optional<RgbImage> DecodeResource()
{
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(CELESTRIX_STARFIELD), RT_RCDATA);
    if (!found)
        return std::nullopt;
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return std::nullopt;
    return DecodeJpeg(static_cast<const unsigned char*>(bytes), SizeofResource(module, found));
}

std::size_t DibStride(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

std::vector<unsigned char> BottomUpBgr(const RgbImage& picture)
{
    const std::size_t stride = DibStride(picture.Width);
    std::vector<unsigned char> rows(stride * static_cast<std::size_t>(picture.Height));
    for (int y = 0; y < picture.Height; ++y) {
        const unsigned char* from = picture.Pixels.data() + static_cast<std::size_t>(y) * picture.Width * 3;
        unsigned char* to = rows.data() + static_cast<std::size_t>(picture.Height - 1 - y) * stride;
        for (int x = 0; x < picture.Width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return rows;
}
}

StarFieldPainter::StarFieldPainter(RECT area)
    : area_(area)
{
}

void StarFieldPainter::Decode()
{
    decoded_ = true;
    picture_ = DecodeResource();
    if (picture_)
        bgrRows_ = BottomUpBgr(*picture_);
}

void StarFieldPainter::Paint(HDC dc)
{
    if (!decoded_)
        Decode();
    if (!picture_)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture_->Width;
    info.bmiHeader.biHeight = picture_->Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int width = std::min<int>(picture_->Width, area_.right - area_.left);
    const int height = std::min<int>(picture_->Height, area_.bottom - area_.top);
    // The picture's top-left part, width x height, counted from the bottom
    // row of the bottom-up bitmap.
    SetDIBitsToDevice(dc, area_.left, area_.top, width, height, 0, picture_->Height - height, 0,
        picture_->Height, bgrRows_.data(), &info, DIB_RGB_COLORS);
}
