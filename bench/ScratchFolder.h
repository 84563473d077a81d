#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the temporary folder, removed with the object. While it
// lives it is the current working directory: the program opens its files by
// bare names.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void Write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The whole file, as bytes.
std::string ReadBytes(const std::filesystem::path& path);
