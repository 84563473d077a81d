// Renders the program's icon, a bright four-pointed star on a dark-blue rounded
// square, and writes RESOURCES/icons/celestrix-<N>.png for each size plus the
// Windows RESOURCES/celestrix.ico: make_icon RESOURCES
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::array<int, 6> PngSizes{16, 32, 48, 64, 128, 256};
// Old Windows shells want uncompressed bitmaps for the small sizes; the large one
// is stored as PNG, as usual for 256 × 256 icons.
constexpr std::array<int, 3> IcoBitmapSizes{16, 32, 48};
constexpr int IcoPngSize = 256;
constexpr int SamplesPerAxis = 8;

struct Colour {
    double R = 0, G = 0, B = 0;
};

Colour Mix(Colour a, Colour b, double t)
{
    return {std::lerp(a.R, b.R, t), std::lerp(a.G, b.G, t), std::lerp(a.B, b.B, t)};
}

struct Image {
    int Size = 0;
    std::vector<std::uint8_t> Rgba;  // straight (not premultiplied) alpha, top row first
};

// Signed distance to the rounded square; negative inside.
double RoundedSquareDistance(double x, double y)
{
    constexpr double HalfSide = 0.94, CornerRadius = 0.36;
    const double qx = std::max(std::abs(x) - HalfSide + CornerRadius, 0.0);
    const double qy = std::max(std::abs(y) - HalfSide + CornerRadius, 0.0);
    const double outside = std::hypot(qx, qy);
    const double inside = std::min(std::max(std::abs(x), std::abs(y)) - HalfSide + CornerRadius, 0.0);
    return outside + inside - CornerRadius;
}

// A sparkle: |x|^p + |y|^p <= r^p with p < 1 gives four thin concave points.
bool InSparkle(double x, double y, double radius)
{
    constexpr double Sharpness = 0.55;
    return std::pow(std::abs(x), Sharpness) + std::pow(std::abs(y), Sharpness) <= std::pow(radius, Sharpness);
}

bool InStar(double x, double y)
{
    const double diagonalX = (x + y) * std::sqrt(0.5), diagonalY = (x - y) * std::sqrt(0.5);
    return InSparkle(x, y, 0.80) || InSparkle(diagonalX, diagonalY, 0.40) || std::hypot(x, y) < 0.10;
}

// Faint companion stars; they fade out on the small sizes where they would be mush.
double CompanionLight(double x, double y, int size)
{
    struct Dot {
        double X, Y, Radius;
    };
    static const std::array<Dot, 4> Dots{{{-0.56, -0.52, 0.05}, {0.60, 0.50, 0.045}, {0.55, -0.62, 0.035}, {-0.50, 0.62, 0.03}}};
    const double visibility = std::clamp((size - 24) / 40.0, 0.0, 1.0);
    double light = 0;
    for (const Dot& dot : Dots)
        light += std::exp(-std::pow(std::hypot(x - dot.X, y - dot.Y) / dot.Radius, 2));
    return light * visibility;
}

Colour SquareColour(double x, double y, double edgeDistance, int size)
{
    const Colour top{0.13, 0.20, 0.44}, bottom{0.03, 0.05, 0.16};
    Colour colour = Mix(top, bottom, (y + 1) / 2);
    if (edgeDistance > -0.06)
        colour = Mix(colour, Colour{0.32, 0.44, 0.78}, 0.45);  // a thin lighter rim

    const double r = std::hypot(x, y);
    const double glow = 0.65 * std::exp(-std::pow(r / 0.38, 2)) + 0.25 * std::exp(-r / 0.25);
    const double companions = CompanionLight(x, y, size);
    colour.R = std::min(1.0, colour.R + glow * 0.55 + companions * 0.85);
    colour.G = std::min(1.0, colour.G + glow * 0.70 + companions * 0.90);
    colour.B = std::min(1.0, colour.B + glow * 1.00 + companions * 1.00);
    return colour;
}

struct Sample {
    Colour Light;
    double Alpha = 0;
};

Sample ShadeSample(double x, double y, int size)
{
    const double edgeDistance = RoundedSquareDistance(x, y);
    if (edgeDistance > 0)
        return {};
    if (InStar(x, y))
        return {Mix(Colour{1.0, 1.0, 1.0}, Colour{1.0, 0.93, 0.72}, std::min(1.0, std::hypot(x, y) * 2.5)), 1.0};
    return {SquareColour(x, y, edgeDistance, size), 1.0};
}

std::uint8_t ToByte(double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

// Each pixel averages a grid of samples, which antialiases every edge.
Image RenderIcon(int size)
{
    Image image{size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour premultiplied;
            double alpha = 0;
            for (int sy = 0; sy < SamplesPerAxis; ++sy) {
                for (int sx = 0; sx < SamplesPerAxis; ++sx) {
                    const double x = ((px + (sx + 0.5) / SamplesPerAxis) / size) * 2 - 1;
                    const double y = ((py + (sy + 0.5) / SamplesPerAxis) / size) * 2 - 1;
                    const Sample sample = ShadeSample(x, y, size);
                    premultiplied.R += sample.Light.R * sample.Alpha;
                    premultiplied.G += sample.Light.G * sample.Alpha;
                    premultiplied.B += sample.Light.B * sample.Alpha;
                    alpha += sample.Alpha;
                }
            }
            std::uint8_t* out = &image.Rgba[(static_cast<std::size_t>(py) * size + px) * 4];
            const double divisor = alpha > 0 ? alpha : 1;
            out[0] = ToByte(premultiplied.R / divisor);
            out[1] = ToByte(premultiplied.G / divisor);
            out[2] = ToByte(premultiplied.B / divisor);
            out[3] = ToByte(alpha / (SamplesPerAxis * SamplesPerAxis));
        }
    }
    return image;
}

using Bytes = std::vector<std::uint8_t>;

void PutBigEndian32(Bytes& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutLittleEndian(Bytes& bytes, std::uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutPngChunk(Bytes& png, const char* type, const Bytes& data)
{
    PutBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    const uLong crc = crc32(0, png.data() + typeStart, static_cast<uInt>(png.size() - typeStart));
    PutBigEndian32(png, static_cast<std::uint32_t>(crc));
}

Bytes EncodePng(const Image& image)
{
    const std::size_t stride = static_cast<std::size_t>(image.Size) * 4;
    Bytes rows;
    for (int y = 0; y < image.Size; ++y) {
        rows.push_back(0);  // filter type: none
        const auto start = image.Rgba.begin() + static_cast<std::ptrdiff_t>(y * stride);
        rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(stride));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    Bytes packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION);
    packed.resize(packedSize);

    Bytes header;
    PutBigEndian32(header, static_cast<std::uint32_t>(image.Size));
    PutBigEndian32(header, static_cast<std::uint32_t>(image.Size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits a channel, RGBA, deflate, no interlace

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutPngChunk(png, "IHDR", header);
    PutPngChunk(png, "IDAT", packed);
    PutPngChunk(png, "IEND", {});
    return png;
}

// An icon bitmap: BITMAPINFOHEADER with doubled height, BGRA rows bottom-up, then
// the 1-bit AND mask (set where fully transparent) with rows padded to 4 bytes.
Bytes EncodeIcoBitmap(const Image& image)
{
    const int size = image.Size;
    const std::uint32_t maskStride = static_cast<std::uint32_t>((size + 31) / 32 * 4);
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(size * size * 4);
    Bytes dib;
    PutLittleEndian(dib, 40, 4);
    PutLittleEndian(dib, static_cast<std::uint32_t>(size), 4);
    PutLittleEndian(dib, static_cast<std::uint32_t>(size * 2), 4);
    PutLittleEndian(dib, 1, 2);   // planes
    PutLittleEndian(dib, 32, 2);  // bits a pixel
    PutLittleEndian(dib, 0, 4);   // uncompressed
    PutLittleEndian(dib, pixelBytes + maskStride * static_cast<std::uint32_t>(size), 4);
    dib.insert(dib.end(), 16, 0);  // resolution and palette: unused

    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &image.Rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            dib.insert(dib.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (image.Rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

Bytes EncodeIco(const std::vector<std::pair<int, Bytes>>& entries)
{
    Bytes ico;
    PutLittleEndian(ico, 0, 2);  // reserved
    PutLittleEndian(ico, 1, 2);  // type: icon
    PutLittleEndian(ico, static_cast<std::uint32_t>(entries.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const auto& [size, data] : entries) {
        const std::uint8_t sizeByte = size >= 256 ? 0 : static_cast<std::uint8_t>(size);  // 0 stands for 256
        ico.insert(ico.end(), {sizeByte, sizeByte, 0, 0});  // width, height, palette size, reserved
        PutLittleEndian(ico, 1, 2);                         // planes
        PutLittleEndian(ico, 32, 2);                        // bits a pixel
        PutLittleEndian(ico, static_cast<std::uint32_t>(data.size()), 4);
        PutLittleEndian(ico, offset, 4);
        offset += static_cast<std::uint32_t>(data.size());
    }
    for (const auto& entry : entries)
        ico.insert(ico.end(), entry.second.begin(), entry.second.end());
    return ico;
}

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

bool WriteIcons(const std::filesystem::path& resources)
{
    std::filesystem::create_directories(resources / "icons");
    bool written = true;
    for (int size : PngSizes) {
        const std::string name = "celestrix-" + std::to_string(size) + ".png";
        written = WriteFile(resources / "icons" / name, EncodePng(RenderIcon(size))) && written;
    }
    std::vector<std::pair<int, Bytes>> entries;
    for (int size : IcoBitmapSizes)
        entries.emplace_back(size, EncodeIcoBitmap(RenderIcon(size)));
    entries.emplace_back(IcoPngSize, EncodePng(RenderIcon(IcoPngSize)));
    return WriteFile(resources / "celestrix.ico", EncodeIco(entries)) && written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIRECTORY\n", argv[0]);
        return 2;
    }
    try {
        return WriteIcons(argv[1]) ? 0 : 1;
    } catch (const std::filesystem::filesystem_error& error) {
        std::fprintf(stderr, "make_icon: %s\n", error.what());
        return 1;
    }
}
