#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadResource(const std::string& name)
{
    std::ifstream in(CELESTRIX_SOURCE_DIR "/resources/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t BigEndian32(const Bytes& bytes, std::size_t at)
{
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int byteCount)
{
    std::uint32_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

TEST(IconFiles, PngsAreRgbaSquaresOfTheSizeInTheirName)
{
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (std::uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        SCOPED_TRACE(size);
        const Bytes png = ReadResource("icons/celestrix-" + std::to_string(size) + ".png");
        ASSERT_GE(png.size(), 33u);
        EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), signature);
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
        EXPECT_EQ(BigEndian32(png, 16), size) << "width";
        EXPECT_EQ(BigEndian32(png, 20), size) << "height";
        EXPECT_EQ(png[24], 8) << "bits a channel";
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
    }
}

// The window's icon is the 16 × 16, 32-bit image of the .ico file.
TEST(IconFiles, WindowsIconHoldsA16Pixel32BitBitmapWithTransparentCorners)
{
    const Bytes ico = ReadResource("celestrix.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(LittleEndian(ico, 0, 2), 0u);
    EXPECT_EQ(LittleEndian(ico, 2, 2), 1u) << "resource type: icon";
    const std::size_t count = LittleEndian(ico, 4, 2);
    ASSERT_GE(ico.size(), 6 + 16 * count);

    std::size_t small = 0;
    for (std::size_t entry = 6; entry < 6 + 16 * count; entry += 16) {
        const std::size_t bytes = LittleEndian(ico, entry + 8, 4), offset = LittleEndian(ico, entry + 12, 4);
        EXPECT_LE(offset + bytes, ico.size()) << "entry at " << entry;
        if (ico[entry] == 16 && ico[entry + 1] == 16 && LittleEndian(ico, entry + 6, 2) == 32)
            small = offset;
    }
    ASSERT_NE(small, 0u) << "no 16 x 16, 32-bit entry";
    ASSERT_LE(small + 40 + 16 * 16 * 4, ico.size());

    EXPECT_EQ(LittleEndian(ico, small, 4), 40u) << "bitmap header size";
    EXPECT_EQ(LittleEndian(ico, small + 4, 4), 16u) << "width";
    EXPECT_EQ(LittleEndian(ico, small + 8, 4), 32u) << "height of colour and mask together";
    EXPECT_EQ(LittleEndian(ico, small + 14, 2), 32u) << "bits a pixel";
    const auto alphaAt = [&](int x, int y) { return ico[small + 40 + (static_cast<std::size_t>(y) * 16 + x) * 4 + 3]; };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(15, 15), 0);
    EXPECT_EQ(alphaAt(8, 8), 255);
}

}  // namespace
