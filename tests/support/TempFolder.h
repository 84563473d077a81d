#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with the object.
// While it lives, it is the current working directory, because the program
// opens its files by bare names there.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    void Write(const std::string& name, std::string_view bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};
