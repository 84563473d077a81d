#include "common/AppTitle.h"

#include "common/Cp1252.h"

namespace {
std::string_view FileNameOf(std::string_view path)
{
#ifdef _WIN32
    const auto slash = path.find_last_of("\\/:");
#else
    const auto slash = path.find_last_of('/');
#endif
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
}

std::string ApplicationTitle(std::string_view executablePath)
{
    std::string_view name = FileNameOf(executablePath);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(title[i])));
    return title;
}
