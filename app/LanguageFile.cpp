#include "app/LanguageFile.h"

#include "common/TextFile.h"
#include "common/Trim.h"

#include <filesystem>

bool LanguageFileExists(const std::string& fileName)
{
    std::error_code unknown;
    return std::filesystem::is_regular_file(fileName, unknown);
}

void ReadCaptions(std::span<TCaptionedControl* const> controls, const std::string& fileName)
{
    TextFileReader file(fileName);
    for (TCaptionedControl* control : controls)
        control->SetCaption(Trim(file.ReadLine()));
    file.Close();
}
