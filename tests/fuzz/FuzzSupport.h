#pragma once

// What the fuzz targets share: a private working folder per process, plain
// file access that does not go through the program's own file layer, and
// simple models of how text files are split and trimmed, to hold the program
// against.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fuzz {

// Ends the run as a crash, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

// Files are rewritten for every input: in memory where the system offers a
// memory file system, since on disk a truncated file is flushed when closed.
inline std::filesystem::path FastTemporaryFolder()
{
    std::error_code unknown;
    if (std::filesystem::is_directory("/dev/shm", unknown) && access("/dev/shm", W_OK | X_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

// The program opens its files by bare names in the working folder: each
// fuzzing process works in a fresh folder of its own, removed at exit.
inline void WorkInPrivateFolder()
{
    static std::string folder;
    std::string pattern = (FastTemporaryFolder() / "celestrix-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        Fail("cannot make a working folder");
    folder = pattern;
    std::filesystem::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(folder, ignored);
    });
}

inline void WriteFile(const std::string& name, std::string_view bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail("cannot write a file for the program");
}

inline std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        Fail("cannot read back a file the program wrote");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of a text file: LF ends a line, a CR is never part of one, and a
// byte 1A ends the line early, skipping the rest of that physical line.
inline std::vector<std::string> ExpectedLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view physical = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        physical = physical.substr(0, physical.find('\x1A'));
        std::string& line = lines.emplace_back();
        for (std::size_t cr; (cr = physical.find('\r')) != std::string_view::npos; physical.remove_prefix(cr + 1))
            line.append(physical.substr(0, cr));
        line.append(physical);
    }
    return lines;
}

// Without every leading and trailing byte of code 32 or less.
inline std::string ExpectedTrim(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

}
