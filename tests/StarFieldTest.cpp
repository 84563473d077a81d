#include "app/StarField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ShippedStarField() { return ReadFile(CELESTRIX_SOURCE_DIR "/resources/starfield.jpg"); }

std::size_t SegmentLength(const Bytes& jpeg, std::size_t marker) { return jpeg[marker + 2] << 8 | jpeg[marker + 3]; }

// Offset of the first segment with the given marker code, looking no further than the scan.
std::size_t FindSegment(const Bytes& jpeg, unsigned char code)
{
    std::size_t at = 2;  // after the start-of-image marker
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        if (jpeg[at + 1] == code)
            return at;
        if (jpeg[at + 1] == 0xDA)
            break;
        at += 2 + SegmentLength(jpeg, at);
    }
    return NotFound;
}

std::size_t ScanDataStart(const Bytes& jpeg)
{
    const std::size_t scanHeader = FindSegment(jpeg, 0xDA);
    return scanHeader + 2 + SegmentLength(jpeg, scanHeader);
}

struct Picture {
    int width;
    int height;
    int components;  // 1 for grey, 3 for RGB
    Bytes samples;
};

// Gradients with a fine texture, so that the scan data is more than a few bytes.
Picture MakePicture(int width, int height, int components)
{
    Picture picture{width, height, components, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                const int gradient = c == 0 ? x * 160 / width : c == 1 ? y * 160 / height : (x + y) * 80 / (width + height);
                const int texture = (x * 37 + y * 91 + c * 53) % 17;
                picture.samples.push_back(static_cast<unsigned char>(30 + gradient + texture));
            }
        }
    }
    return picture;
}

Bytes EncodeJpeg(const Picture& picture, bool progressive)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = picture.components;
    info.in_color_space = picture.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);

    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.width) * picture.components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    Bytes jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

Bytes ColourFixture() { return EncodeJpeg(MakePicture(64, 48, 3), false); }

std::optional<RgbImage> Decode(const Bytes& jpeg) { return DecodeJpeg(jpeg.data(), jpeg.size()); }

TEST(ShippedStarField, IsABaselineJfifColourPictureOf592By593)
{
    const Bytes jpeg = ShippedStarField();
    ASSERT_GT(jpeg.size(), 1000u);

    const std::size_t jfif = FindSegment(jpeg, 0xE0);
    ASSERT_NE(jfif, NotFound);
    EXPECT_EQ(std::string(jpeg.begin() + jfif + 4, jpeg.begin() + jfif + 9), std::string("JFIF\0", 5));
    const std::size_t frame = FindSegment(jpeg, 0xC0);  // baseline frame header
    ASSERT_NE(frame, NotFound);
    EXPECT_EQ(jpeg[frame + 9], 3) << "colour components";

    const auto image = Decode(jpeg);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width, 592);
    EXPECT_EQ(image->Height, 593);
    EXPECT_EQ(image->Pixels.size(), 592u * 593u * 3u);
}

// The window shows only the top-left 353 × 202 pixels, with controls on top.
TEST(ShippedStarField, ShowsStarsOnADarkSkyInTheVisiblePart)
{
    const auto image = Decode(ShippedStarField());
    ASSERT_TRUE(image);
    int brightPixels = 0;
    long long brightnessSum = 0;
    for (int y = 0; y < 202; ++y) {
        for (int x = 0; x < 353; ++x) {
            const unsigned char* p = &image->Pixels[(static_cast<std::size_t>(y) * image->Width + x) * 3];
            brightPixels += std::min({p[0], p[1], p[2]}) >= 220;
            brightnessSum += p[0] + p[1] + p[2];
        }
    }
    EXPECT_GE(brightPixels, 5);
    EXPECT_LT(brightnessSum / (353 * 202 * 3), 40) << "the sky behind the controls should stay dark";
}

TEST(DecodeJpeg, DecodesToRgbCloseToWhatWasEncoded)
{
    struct Case {
        const char* name;
        int width, height, components;
        bool progressive;
    };
    const Case cases[] = {
        {"colour, baseline", 64, 48, 3, false},
        {"colour, progressive", 64, 48, 3, true},
        {"grey becomes RGB", 40, 24, 1, false},
        {"grey, progressive", 40, 24, 1, true},
        {"sizes off the block grid", 37, 5, 3, false},
        {"a single pixel", 1, 1, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture picture = MakePicture(c.width, c.height, c.components);
        const auto image = Decode(EncodeJpeg(picture, c.progressive));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->Width, c.width);
        ASSERT_EQ(image->Height, c.height);
        ASSERT_EQ(image->Pixels.size(), static_cast<std::size_t>(c.width) * c.height * 3);

        long long difference = 0;
        for (std::size_t pixel = 0; pixel < image->Pixels.size() / 3; ++pixel) {
            for (int channel = 0; channel < 3; ++channel) {
                const int source = c.components == 1 ? 0 : channel;
                difference += std::abs(image->Pixels[pixel * 3 + channel] - picture.samples[pixel * c.components + source]);
            }
        }
        EXPECT_LE(difference / static_cast<long long>(image->Pixels.size()), 4);
    }
}

Bytes Truncated(Bytes jpeg, std::size_t length)
{
    jpeg.resize(length);
    return jpeg;
}

Bytes WithBytes(Bytes jpeg, std::size_t offset, std::initializer_list<unsigned char> bytes)
{
    std::copy(bytes.begin(), bytes.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(offset));
    return jpeg;
}

Bytes Scrambled(Bytes jpeg, std::size_t offset, std::size_t count)
{
    for (std::size_t i = offset; i < offset + count; ++i)
        jpeg[i] ^= 0x5A;
    return jpeg;
}

TEST(DecodeJpeg, RefusesDamagedOrForeignBytesSilently)
{
    const Bytes good = ColourFixture();
    const std::size_t frame = FindSegment(good, 0xC0);
    const std::size_t huffman = FindSegment(good, 0xC4);
    const std::size_t quantisation = FindSegment(good, 0xDB);
    const std::size_t scan = ScanDataStart(good);
    const std::size_t scanMiddle = (scan + good.size()) / 2;
    ASSERT_NE(frame, NotFound);
    ASSERT_NE(huffman, NotFound);
    ASSERT_NE(quantisation, NotFound);
    const std::string text = "Celestrix star field\n";
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 1, 0};

    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"text", Bytes(text.begin(), text.end())},
        {"a PNG header", png},
        {"start marker only", Truncated(good, 2)},
        {"cut inside the headers", Truncated(good, frame + 6)},
        {"cut where the scan data begins", Truncated(good, scan)},
        {"cut in the middle of the scan", Truncated(good, scanMiddle)},
        {"end marker missing", Truncated(good, good.size() - 2)},
        {"start marker damaged", WithBytes(good, 1, {0x00})},
        {"zero height", WithBytes(good, frame + 5, {0, 0})},
        {"12-bit samples", WithBytes(good, frame + 4, {12})},
        {"Huffman table overfull", WithBytes(good, huffman + 5, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"quantisation table number out of range", WithBytes(good, quantisation + 4, {0x07})},
        {"claims 400 megapixels", WithBytes(good, frame + 5, {0x4E, 0x20, 0x4E, 0x20})},
        {"end marker inside the scan", WithBytes(good, scanMiddle, {0xFF, 0xD9})},
        {"scan bytes scrambled", Scrambled(good, scanMiddle, 16)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const auto image = Decode(bytes);
        const std::string printed = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
        EXPECT_FALSE(image);
        EXPECT_EQ(printed, "");
    }
    EXPECT_FALSE(DecodeJpeg(nullptr, 0));
    EXPECT_TRUE(Decode(good)) << "the damaged copies come from a sound picture";
}

}  // namespace
