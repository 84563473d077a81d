// Loading the catalogue, beside reading the same bytes and splitting them.
#include "BenchCatalogue.h"
#include "Baselines.h"
#include "catalogue/LineStore.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The store is made afresh each time, as at start-up; freeing it is not timed.
void Load_FileRead(benchmark::State& state)
{
    const std::string path = GeneratedCatalogueFile().string();
    for (auto _ : state) {
        auto store = std::make_unique<LineStore>();
        FileRead(*store, path);
        benchmark::DoNotOptimize(store->LineCount);
        state.PauseTiming();
        if (store->LineCount != LineStoreCapacity)
            state.SkipWithError("the catalogue did not load whole");
        store.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(Load_FileRead);

struct SplitFile {
    std::string bytes;
    std::vector<std::string_view> lines;
};

void Load_ReadAndSplit(benchmark::State& state)
{
    const std::string path = GeneratedCatalogueFile().string();
    for (auto _ : state) {
        auto split = std::make_unique<SplitFile>();
        split->lines.reserve(LineStoreCapacity + 1);
        ReadAndSplit(path.c_str(), split->bytes, split->lines);
        benchmark::DoNotOptimize(split->lines.data());
        state.PauseTiming();
        if (split->lines.size() != LineStoreCapacity)
            state.SkipWithError("the split found the wrong number of lines");
        split.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(Load_ReadAndSplit);

}
