// Decoding the window's star-field picture, as its first paint does.
#include "ScratchFolder.h"
#include "app/StarField.h"

#include <benchmark/benchmark.h>

namespace {

void StarField_DecodeJpeg(benchmark::State& state)
{
    const std::string bytes = ReadBytes(std::filesystem::path(CELESTRIX_SOURCE_DIR) / "resources" / "starfield.jpg");
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (auto _ : state) {
        auto image = DecodeJpeg(data, bytes.size());
        if (!image)
            state.SkipWithError("the picture does not decode");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(StarField_DecodeJpeg);

}
