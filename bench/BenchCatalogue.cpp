#include "BenchCatalogue.h"

#include "ScratchFolder.h"
#include "catalogue/LineStore.h"

#include <cstdint>
#include <cstdio>

namespace {
constexpr int MessierCount = 110;
constexpr int NgcCount = 9999;

// Coordinates from a fixed sequence: the same file on every run.
class Sequence {
public:
    unsigned Next(unsigned bound)
    {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<unsigned>(state_ >> 33) % bound;
    }

private:
    std::uint64_t state_ = 20000;
};

std::string ObjectLine(char letter, int number, Sequence& random)
{
    static const char* const types[] = {"G", "OCl", "GCl", "PN", "Neb", "SNR"};
    static const char* const constellations[] = {"And", "Cyg", "Ori", "Psc", "Sco", "UMa", "Vir"};
    char line[96];
    std::snprintf(line, sizeof line, "%c %d|%02u|%02u|%02u.%02u|%c|%02u|%02u|%02u.%u|%s %s\r\n", letter, number,
        random.Next(24), random.Next(60), random.Next(60), random.Next(100), random.Next(2) ? '+' : '-',
        random.Next(90), random.Next(60), random.Next(60), random.Next(10), types[random.Next(6)],
        constellations[random.Next(7)]);
    return line;
}
}

std::string GeneratedCatalogue(int lineCount)
{
    Sequence random;
    std::string text;
    for (int line = 1; line < lineCount; ++line) {
        if (line <= MessierCount)
            text += ObjectLine('M', line, random);
        else if (line <= MessierCount + NgcCount)
            text += ObjectLine('N', line - MessierCount, random);
        else
            text += ObjectLine('I', line - MessierCount - NgcCount, random);
    }
    return text + "END\r\n";
}

const std::filesystem::path& GeneratedCatalogueFile()
{
    static const ScratchFolder folder;
    static const std::filesystem::path path = [] {
        folder.Write(CatalogueFileName, GeneratedCatalogue(LineStoreCapacity));
        return folder.Path() / CatalogueFileName;
    }();
    return path;
}
