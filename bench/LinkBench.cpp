// "Generate link" after its lookup: composing the query and writing link.url,
// beside writing the same two lines with plain system calls.
#include "BenchCatalogue.h"
#include "link/LinkFile.h"
#include "link/SurveyLink.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const LinkInputs M1{"all", "05", "34", "31.97", "+", "22", "00", "52.1", "5"};

void Link_BuildLinkAndWriteLinkFile(benchmark::State& state)
{
    GeneratedCatalogueFile(); // the scratch folder is the working directory
    for (auto _ : state)
        WriteLinkFile(BuildLink(M1));
}
// Closing a rewritten file waits for the disk on some file systems, so these
// run for a set time by the clock rather than by processor time.
BENCHMARK(Link_BuildLinkAndWriteLinkFile)->UseRealTime();

void Link_PlainWrite(benchmark::State& state)
{
    GeneratedCatalogueFile();
    const std::string bytes = "[InternetShortcut]\r\nURL=" + BuildLink(M1) + "\r\n";
    for (auto _ : state) {
        const int fd = ::open(LinkFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::close(fd) != 0)
            state.SkipWithError("cannot write link.url");
    }
}
BENCHMARK(Link_PlainWrite)->UseRealTime();

}
