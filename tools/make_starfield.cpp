// Renders the star-field photograph behind the main window and writes it as a
// baseline JFIF JPEG. The output depends only on the seed, so the committed
// picture can be regenerated: make_starfield OUTPUT.jpg [SEED]
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared before it
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int ImageWidth = 592;
constexpr int ImageHeight = 593;
constexpr int JpegQuality = 90;
constexpr std::uint64_t DefaultSeed = 0x5eed'c0de'2024ULL;
constexpr double Pi = 3.14159265358979323846;

struct Rgb {
    double R = 0, G = 0, B = 0;
};

Rgb operator*(Rgb c, double k) { return {c.R * k, c.G * k, c.B * k}; }

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }

    double Gaussian()
    {
        const double u = 1.0 - Uniform();  // (0, 1], keeps the logarithm finite
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * Pi * Uniform());
    }

private:
    std::uint64_t state_;
};

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), cells_(static_cast<std::size_t>(width) * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return cells_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgb& At(int x, int y) const { return cells_[static_cast<std::size_t>(y) * width_ + x]; }

    void Add(int x, int y, Rgb light)
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return;
        Rgb& cell = At(x, y);
        cell.R += light.R;
        cell.G += light.G;
        cell.B += light.B;
    }

private:
    int width_;
    int height_;
    std::vector<Rgb> cells_;
};

// Smooth value noise with a fixed lattice hash, summed over octaves.
class CloudNoise {
public:
    explicit CloudNoise(std::uint64_t seed) : seed_(seed) {}

    double At(double x, double y, int octaves) const
    {
        double sum = 0, amplitude = 1, total = 0, scale = 1;
        for (int i = 0; i < octaves; ++i) {
            sum += amplitude * Lattice(x * scale, y * scale, i);
            total += amplitude;
            amplitude *= 0.5;
            scale *= 2.0;
        }
        return sum / total;
    }

private:
    std::uint64_t seed_;

    double Corner(std::int64_t x, std::int64_t y, int octave) const
    {
        SplitMix64 hash(seed_ ^ (static_cast<std::uint64_t>(x) * 0x9e3779b1ULL) ^
                        (static_cast<std::uint64_t>(y) * 0x85ebca77c2b2ae63ULL) ^
                        (static_cast<std::uint64_t>(octave) << 56));
        return hash.Uniform();
    }

    static double Fade(double t) { return t * t * (3 - 2 * t); }

    double Lattice(double x, double y, int octave) const
    {
        const double fx = std::floor(x), fy = std::floor(y);
        const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
        const double tx = Fade(x - fx), ty = Fade(y - fy);
        const double top = std::lerp(Corner(ix, iy, octave), Corner(ix + 1, iy, octave), tx);
        const double bottom = std::lerp(Corner(ix, iy + 1, octave), Corner(ix + 1, iy + 1, octave), tx);
        return std::lerp(top, bottom, ty);
    }
};

// The Milky Way runs diagonally through the lower right, away from the controls.
struct GalacticBand {
    double PointX = 560, PointY = 330;
    double DirectionX = -0.62, DirectionY = 0.78;  // unit vector along the band
    double HalfWidth = 120;

    double Closeness(double x, double y) const
    {
        const double dx = x - PointX, dy = y - PointY;
        const double across = dx * DirectionY - dy * DirectionX;
        return std::exp(-(across * across) / (2 * HalfWidth * HalfWidth));
    }
};

void PaintSky(Canvas& canvas, const GalacticBand& band, const CloudNoise& clouds, const CloudNoise& dust)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            // A faint airglow gradient, lighter towards the bottom of the frame.
            const double glow = 0.030 + 0.010 * y / canvas.Height();
            Rgb sky{glow * 0.80, glow * 0.88, glow * 1.10};

            const double closeness = band.Closeness(x, y);
            const double cloud = clouds.At(x / 80.0, y / 80.0, 6);
            const double lane = std::clamp((dust.At(x / 60.0, y / 60.0, 4) - 0.45) * 4.0, 0.0, 1.0);
            const double milk = 0.10 * closeness * (0.35 + cloud * cloud * 1.6) * (1.0 - 0.75 * lane * closeness);
            sky.R += milk * 1.00;
            sky.G += milk * 0.90;
            sky.B += milk * 0.78;
            canvas.At(x, y) = sky;
        }
    }
}

// Fraction of a unit-flux Gaussian star that falls into the pixel span [a, a + 1).
double PixelShare(double a, double centre, double sigma)
{
    const double k = 1.0 / (sigma * std::sqrt(2.0));
    return 0.5 * (std::erf((a + 1 - centre) * k) - std::erf((a - centre) * k));
}

struct Star {
    double X = 0, Y = 0;
    double Flux = 0;  // total light, in display units summed over the pixels
    Rgb Tint;
};

void PaintCore(Canvas& canvas, const Star& star, double sigma)
{
    const int reach = static_cast<int>(std::ceil(sigma * 4 + 1));
    const int cx = static_cast<int>(star.X), cy = static_cast<int>(star.Y);
    std::array<double, 64> shareX{}, shareY{};
    const int span = std::min(2 * reach + 1, static_cast<int>(shareX.size()));
    for (int i = 0; i < span; ++i) {
        shareX[i] = PixelShare(cx - reach + i, star.X, sigma);
        shareY[i] = PixelShare(cy - reach + i, star.Y, sigma);
    }
    for (int j = 0; j < span; ++j)
        for (int i = 0; i < span; ++i)
            canvas.Add(cx - reach + i, cy - reach + j, star.Tint * (star.Flux * shareX[i] * shareY[j]));
}

// Scattered light around a bright star: a Moffat profile, wide and soft.
void PaintHalo(Canvas& canvas, const Star& star, double radius, double strength)
{
    const int reach = static_cast<int>(radius * 6);
    const Rgb tint{star.Tint.R * 0.9 + 0.1, star.Tint.G * 0.9 + 0.1, star.Tint.B * 1.1};
    for (int y = -reach; y <= reach; ++y) {
        for (int x = -reach; x <= reach; ++x) {
            const double dx = x + 0.5 - (star.X - std::floor(star.X));
            const double dy = y + 0.5 - (star.Y - std::floor(star.Y));
            const double r2 = (dx * dx + dy * dy) / (radius * radius);
            const double light = strength * std::pow(1.0 + r2, -2.2);
            canvas.Add(static_cast<int>(star.X) + x, static_cast<int>(star.Y) + y, tint * light);
        }
    }
}

// Colours of real stars are mild: blue-white hot stars, yellow and orange cool ones.
Rgb StarTint(SplitMix64& random)
{
    static const std::array<Rgb, 6> Palette{{
        {0.78, 0.87, 1.00},
        {0.88, 0.93, 1.00},
        {1.00, 1.00, 1.00},
        {1.00, 0.96, 0.86},
        {1.00, 0.88, 0.70},
        {1.00, 0.76, 0.58},
    }};
    static const std::array<double, 6> Weights{0.12, 0.22, 0.26, 0.20, 0.13, 0.07};
    double pick = random.Uniform();
    for (std::size_t i = 0; i < Palette.size(); ++i) {
        if (pick < Weights[i])
            return Palette[i];
        pick -= Weights[i];
    }
    return Palette.back();
}

// Brightness follows a power law: many faint stars, very few bright ones.
double FaintStarFlux(SplitMix64& random)
{
    const double u = 1.0 - random.Uniform();
    return std::min(0.12 * std::pow(u, -1.0 / 1.45), 12.0);
}

void PaintFieldStars(Canvas& canvas, SplitMix64& random, const GalacticBand& band)
{
    constexpr int Candidates = 11000;
    for (int i = 0; i < Candidates; ++i) {
        Star star{random.Uniform(0, canvas.Width()), random.Uniform(0, canvas.Height()), FaintStarFlux(random),
                  StarTint(random)};
        // Stars crowd into the band; the open sky keeps about a third of them.
        const double keep = 0.32 + 0.9 * band.Closeness(star.X, star.Y);
        if (random.Uniform() >= keep)
            continue;
        PaintCore(canvas, star, random.Uniform(0.65, 0.85));
        if (star.Flux > 4.0)
            PaintHalo(canvas, star, 1.6, star.Flux * 0.006);
    }
}

void PaintBrightStar(Canvas& canvas, const Star& star)
{
    PaintCore(canvas, star, 1.05);
    PaintHalo(canvas, star, 2.2, star.Flux * 0.010);
    PaintHalo(canvas, star, 7.0, star.Flux * 0.0015);
}

// Bright stars are placed by hand. The window shows only the top-left 353 × 202
// pixels, under its controls: three stars sit in the gaps between the controls,
// the others outside the visible part.
void PaintBrightStars(Canvas& canvas)
{
    const std::array<Star, 6> stars{{
        {338.4, 107.6, 90, {0.82, 0.90, 1.00}},
        {166.2, 113.3, 55, {1.00, 0.90, 0.72}},
        {72.7, 192.1, 22, {1.00, 0.98, 0.95}},
        {455.5, 262.4, 110, {1.00, 0.80, 0.60}},
        {118.3, 431.8, 75, {0.85, 0.92, 1.00}},
        {512.6, 518.2, 45, {1.00, 0.97, 0.90}},
    }};
    for (const Star& star : stars)
        PaintBrightStar(canvas, star);
}

// Sensor noise: a little luminance grain and fainter colour speckle.
void AddNoise(Canvas& canvas, SplitMix64& random)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const double grain = 0.0045 * random.Gaussian();
            Rgb& cell = canvas.At(x, y);
            cell.R += grain + 0.0015 * random.Gaussian();
            cell.G += grain;
            cell.B += grain + 0.0020 * random.Gaussian();
        }
    }
}

// Soft saturation: bright cores run into white the way a photograph's do.
unsigned char ToByte(double value)
{
    const double shown = 1.0 - std::exp(-std::max(value, 0.0) * 1.15);
    return static_cast<unsigned char>(std::lround(std::clamp(shown, 0.0, 1.0) * 255.0));
}

std::vector<unsigned char> ToRgbBytes(const Canvas& canvas)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(canvas.Width()) * canvas.Height() * 3);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb& cell = canvas.At(x, y);
            bytes.push_back(ToByte(cell.R));
            bytes.push_back(ToByte(cell.G));
            bytes.push_back(ToByte(cell.B));
        }
    }
    return bytes;
}

Canvas RenderStarField(std::uint64_t seed)
{
    Canvas canvas(ImageWidth, ImageHeight);
    const GalacticBand band;
    PaintSky(canvas, band, CloudNoise(seed ^ 0x1111), CloudNoise(seed ^ 0x2222));
    SplitMix64 random(seed);
    PaintFieldStars(canvas, random, band);
    PaintBrightStars(canvas);
    AddNoise(canvas, random);
    return canvas;
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& rgb, int width, int height)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // the default error_exit ends the tool with a message
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);

    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);  // YCbCr, JFIF marker, baseline Huffman coding
    jpeg_set_quality(&info, JpegQuality, TRUE);
    info.optimize_coding = TRUE;

    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg [SEED]\n", argv[0]);
        return 2;
    }
    const std::uint64_t seed = argc == 3 ? std::strtoull(argv[2], nullptr, 0) : DefaultSeed;
    const Canvas canvas = RenderStarField(seed);
    if (!WriteJpeg(argv[1], ToRgbBytes(canvas), canvas.Width(), canvas.Height())) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
