// One lookup, beside a memchr walk over the same bytes that finds the same line.
#include "BenchCatalogue.h"
#include "Baselines.h"
#include "ScratchFolder.h"
#include "catalogue/Lookup.h"

#include <benchmark/benchmark.h>

#include <array>
#include <map>

namespace {

// Coordinate boxes held as plain texts: the lookup's own cost, without a window.
class Boxes : public LookupTarget {
public:
    Boxes(std::string choice, std::string number)
        : choice_(std::move(choice))
        , number_(std::move(number))
    {
    }
    std::string CatalogueChoice() const override { return choice_; }
    std::string ObjectNumber() const override { return number_; }
    void SetWindowEnabled(bool enabled) override { enabled_ = enabled; }
    void SetCoordinate(CoordinateBox box, const std::string& text) override
    {
        texts_[static_cast<std::size_t>(box)] = text;
    }
    void ClearForNotFound() override
    {
        for (auto& text : texts_)
            text.clear();
    }

private:
    std::string choice_;
    std::string number_;
    bool enabled_ = true;
    std::array<std::string, CoordinateBoxCount> texts_;
};

struct Catalogue {
    LineStore store;
    std::string bytes;
};

const Catalogue& Loaded(const std::filesystem::path& path)
{
    static std::map<std::filesystem::path, std::unique_ptr<Catalogue>> loaded;
    auto& catalogue = loaded[path];
    if (!catalogue) {
        catalogue = std::make_unique<Catalogue>();
        FileRead(catalogue->store, path.string());
        catalogue->bytes = ReadBytes(path);
    }
    return *catalogue;
}

std::filesystem::path ShippedCatalogueFile()
{
    return std::filesystem::path(CELESTRIX_SOURCE_DIR) / "data" / CatalogueFileName;
}

struct Query {
    std::filesystem::path (*file)();
    const char* choice;
    const char* number;

    // How the object's line starts: its letter, the separator, the number, a bar.
    std::string LinePrefix() const { return std::string(1, choice[0]) + " " + number + "|"; }
};

std::filesystem::path Generated()
{
    return GeneratedCatalogueFile();
}

const Query LastLine20000{Generated, LastObjectChoice, LastObjectNumber};
const Query NotFound20000{Generated, LastObjectChoice, MissingNumber};
const Query M1Shipped{ShippedCatalogueFile, "M", "1"};
const Query IC5386Shipped{ShippedCatalogueFile, "IC", "5386"};

void Lookup_InFileFind(benchmark::State& state, const Query& query)
{
    const Catalogue& catalogue = Loaded(query.file());
    Boxes boxes(query.choice, query.number);
    LookupState scan;
    for (auto _ : state) {
        InFileFind(catalogue.store, scan, boxes);
        benchmark::ClobberMemory();
    }
    const int expected = ScanForLine(catalogue.bytes, query.LinePrefix());
    if (scan.NotFound != (expected == 0) || (expected != 0 && scan.LineIndex != expected + 1))
        state.SkipWithError("the lookup and the scan disagree");
}

void Lookup_Scan(benchmark::State& state, const Query& query)
{
    const Catalogue& catalogue = Loaded(query.file());
    const std::string_view bytes = catalogue.bytes;
    const std::string prefix = query.LinePrefix();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanForLine(bytes, prefix));
}

BENCHMARK_CAPTURE(Lookup_InFileFind, last_line_20000, LastLine20000);
BENCHMARK_CAPTURE(Lookup_Scan, last_line_20000, LastLine20000);
BENCHMARK_CAPTURE(Lookup_InFileFind, not_found_20000, NotFound20000);
BENCHMARK_CAPTURE(Lookup_Scan, not_found_20000, NotFound20000);
BENCHMARK_CAPTURE(Lookup_InFileFind, M1_shipped, M1Shipped);
BENCHMARK_CAPTURE(Lookup_Scan, M1_shipped, M1Shipped);
BENCHMARK_CAPTURE(Lookup_InFileFind, IC5386_shipped, IC5386Shipped);
BENCHMARK_CAPTURE(Lookup_Scan, IC5386_shipped, IC5386Shipped);

}
