#include "link/LinkFile.h"

#include "common/TextFile.h"

void WriteLinkFile(std::string_view url, const std::string& fileName)
{
    TextFileWriter file(fileName);
    file.WriteLine("[InternetShortcut]");
    std::string line = "URL=";
    line += url;
    file.WriteLine(line);
    file.Close();
}

std::optional<std::string> UrlOfShortcut(const std::string& fileName)
{
    TextFileReader file(fileName);
    std::string line;
    while (!file.AtEnd()) {
        file.ReadLine(line);
        if (line.starts_with("URL="))
            return line.substr(4);
    }
    return std::nullopt;
}

std::string PercentEncodeHighBytes(std::string_view url)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(url.size());
    for (char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            encoded += c;
            continue;
        }
        encoded += '%';
        encoded += Hex[byte >> 4];
        encoded += Hex[byte & 0xF];
    }
    return encoded;
}
