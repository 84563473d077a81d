#include "TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

TempFolder::TempFolder()
    : previous_(std::filesystem::current_path())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "celestrix-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = buffer.data();
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
