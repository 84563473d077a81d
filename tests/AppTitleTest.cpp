#include "common/AppTitle.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplicationTitle, ComesFromTheExecutablesFileName)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/bin/celestrix", "celestrix"},
        {"celestrix", "celestrix"},
        {"/opt/x.y/CELESTRIX", "Celestrix"},
        {"/home/me/CeLeStRiX.old.bin", "Celestrix"},
        {"/tmp/celestrix.", "celestrix"},
        {"/tmp/.hidden", ""},
        {"/tmp/\xC9TOILE", "\xC9toile"},
        {"/tmp/a", "a"},
        {"/tmp/ab CD", "ab cd"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(ApplicationTitle(path), title) << path;
}

}
