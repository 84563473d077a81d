#include "TempFolder.h"
#include "common/IoError.h"
#include "link/LinkFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(WriteLinkFile, WritesTheTwoLinesByteForByte)
{
    TempFolder folder;
    const std::string url = "http://h/?d=+%2022\xB0%2000'%2052\"&v3=";
    WriteLinkFile(url);
    EXPECT_EQ(folder.Read("link.url"), "[InternetShortcut]\r\nURL=" + url + "\r\n");
    WriteLinkFile("");
    EXPECT_EQ(folder.Read("link.url"), "[InternetShortcut]\r\nURL=\r\n");
}

TEST(WriteLinkFile, ReportsWhatCannotBeWritten)
{
    TempFolder folder;
    std::filesystem::create_directory("folder.url");
#ifdef _WIN32
    // Windows has no device that is always full.
    const std::pair<const char*, int> cases[] = {{"folder.url", 5}};
#else
    std::filesystem::create_symlink("/dev/full", "full.url");
    const std::pair<const char*, int> cases[] = {{"folder.url", 5}, {"full.url", 101}};
#endif
    for (const auto& [name, code] : cases) {
        try {
            WriteLinkFile("http://x/", name);
            ADD_FAILURE() << name;
        } catch (const IoError& error) {
            EXPECT_EQ(error.Code(), code) << name;
        }
    }
}

TEST(UrlOfShortcut, ReadsTheUrlLine)
{
    TempFolder folder;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"[InternetShortcut]\r\nURL=http://a/b\xB0\r\n", "http://a/b\xB0"},
        {"[InternetShortcut]\nIconIndex=0\nURL=x y\n", "x y"},
        {"[InternetShortcut]\r\nURL=\r\n", ""},
        {"[InternetShortcut]\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [bytes, url] : cases) {
        folder.Write("link.url", bytes);
        EXPECT_EQ(UrlOfShortcut(), url) << bytes;
    }
}

TEST(PercentEncodeHighBytes, EncodesOnlyBytesFrom80Up)
{
    EXPECT_EQ(PercentEncodeHighBytes("a\xB0 \"'$(x);\x7F\x80\xFF"), "a%B0 \"'$(x);\x7F%80%FF");
}

}
