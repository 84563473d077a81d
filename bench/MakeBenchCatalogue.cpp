// Writes the generated full-size catalogue to the given file, for the
// start-up figures of the whole program.
#include "BenchCatalogue.h"
#include "catalogue/LineStore.h"

#include <cstdio>
#include <fstream>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bench_catalogue FILE\n");
        return 2;
    }
    const std::string text = GeneratedCatalogue(LineStoreCapacity);
    std::ofstream file(argv[1], std::ios::binary);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return file.flush() ? 0 : 1;
}
