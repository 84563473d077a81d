#include "StarField.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared before it
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include <jpeglib.h>

namespace {

constexpr std::uint64_t MaxPixels = 100'000'000;

struct JpegErrorManager {
    jpeg_error_mgr Library;  // first member, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf ReturnPoint;
};

[[noreturn]] void ReturnToDecoder(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->ReturnPoint, 1);
}

void DropMessage(j_common_ptr) {}

// libjpeg reports a damaged file (cut short, a broken scan) only as a warning and fills
// the rest of the picture with grey; such a picture is refused. Trace messages are dropped.
void RefuseOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        ReturnToDecoder(info);
}

struct RawRgb {
    unsigned char* Pixels = nullptr;  // from std::malloc; the caller frees it
    JDIMENSION Width = 0;
    JDIMENSION Height = 0;
};

bool IsAcceptableSize(JDIMENSION width, JDIMENSION height)
{
    return width > 0 && height > 0 && std::uint64_t{width} * height <= MaxPixels;
}

// libjpeg leaves through longjmp on every error, so no object with a destructor may live here.
bool DecodeToRawRgb(const unsigned char* data, unsigned long size, RawRgb* out)
{
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    unsigned char* volatile pixels = nullptr;

    info.err = jpeg_std_error(&errors.Library);
    errors.Library.error_exit = ReturnToDecoder;
    errors.Library.output_message = DropMessage;
    errors.Library.emit_message = RefuseOnWarning;
    if (setjmp(errors.ReturnPoint)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return false;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (!IsAcceptableSize(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    const std::size_t stride = std::size_t{info.output_width} * 3;
    pixels = static_cast<unsigned char*>(std::malloc(stride * info.output_height));
    if (!pixels || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + info.output_scanline * stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);

    *out = {pixels, info.output_width, info.output_height};
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

std::optional<RgbImage> DecodeJpeg(const unsigned char* data, std::size_t size)
{
    if (size > std::numeric_limits<unsigned long>::max())
        return std::nullopt;
    RawRgb raw;
    if (!DecodeToRawRgb(data, static_cast<unsigned long>(size), &raw))
        return std::nullopt;

    const std::unique_ptr<unsigned char, decltype(&std::free)> owner(raw.Pixels, &std::free);
    const std::size_t byteCount = std::size_t{raw.Width} * raw.Height * 3;
    return RgbImage{static_cast<int>(raw.Width), static_cast<int>(raw.Height),
                    std::vector<unsigned char>(raw.Pixels, raw.Pixels + byteCount)};
}
