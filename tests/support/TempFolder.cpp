#include "TempFolder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {
// A folder of a fresh random name under the system's temporary folder.
std::filesystem::path MakeUniqueFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "celestrix-test-%08x", static_cast<unsigned>(random()));
        if (std::filesystem::create_directory(base / name))
            return base / name;
    }
    throw std::runtime_error("cannot make a temporary folder");
}
}

TempFolder::TempFolder()
    : path_(MakeUniqueFolder())
    , previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, std::string_view bytes) const
{
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + name);
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(path_ / name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
