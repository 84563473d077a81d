// Any bytes as a text file: the reader splits them into the lines a text
// file holds, reads empty lines past its end, and closes it.

#include "FuzzSupport.h"
#include "common/TextFile.h"

#include <cstdint>

namespace {
constexpr std::size_t ReadBufferSize = 64 * 1024;

// A first byte of C0 hex or above puts the rest of the input right before or
// across the end of the reader's first buffer, behind a run of plain bytes.
std::string FileBytes(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    std::string bytes;
    if (data[0] >= 0xC0)
        bytes.assign(ReadBufferSize - (data[0] - 0xC0u), 'a');
    bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    return bytes;
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::WorkInPrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes = FileBytes(data, size);
    fuzz::WriteFile("text.txt", bytes);
    const std::vector<std::string> expected = fuzz::ExpectedLines(bytes);

    TextFileReader file("text.txt");
    std::string line = "left over";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        fuzz::Check(!file.AtEnd(), "the file ended early");
        // Odd lines are appended to text already held, as the catalogue does.
        if (i % 2 == 0) {
            file.ReadLine(line);
            fuzz::Check(line == expected[i], "a line read differs");
        } else {
            std::string held = "held|";
            file.AppendLine(held);
            fuzz::Check(held == "held|" + expected[i], "a line appended differs");
        }
    }
    fuzz::Check(file.AtEnd(), "bytes left after the last line");
    for (int past = 0; past < 2; ++past) {
        file.ReadLine(line);
        fuzz::Check(line.empty(), "a line past the end is not empty");
    }
    file.Close();
    return 0;
}
