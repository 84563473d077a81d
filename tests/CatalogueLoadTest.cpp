#include "TempFolder.h"
#include "catalogue/LineStore.h"
#include "common/IoError.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Lines(int count, const std::string& last)
{
    std::string text;
    for (int i = 1; i < count; ++i)
        text += "N " + std::to_string(i) + "|00|00|00|+|00|00|00|\r\n";
    return text + last;
}

TEST(FileRead, StopsAtTheFirstEndMarker)
{
    struct Case {
        const char* name;
        std::string bytes;
        int lineCount;
        std::string lastLine;
    };
    const Case cases[] = {
        {"upper-case marker third", "M 1|a|\r\nM 2|b|\r\nEND\r\nM 3|c|\r\n", 3, "END"},
        {"lower-case marker", "M 1|a|\ne\nM 2|b|\n", 2, "e"},
        {"marker text kept as read", "M 1|a|\nEnd of the catalogue  \n", 2, "End of the catalogue  "},
        {"only the marker", "END", 1, "END"},
        {"no marker: end of file ends it", "M 1|a|\r\nM 2|b|\r\n", 3, "END"},
        {"empty file", "", 1, "END"},
        {"empty lines are stored", "M 1|a|\n\n\nE\n", 4, "E"},
        {"exactly the capacity", Lines(LineStoreCapacity, "END\r\n"), LineStoreCapacity, "END"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("m_ngc_ic.txt", c.bytes);
        LineStore store;
        FileRead(store);
        EXPECT_EQ(store.LineCount, c.lineCount);
        EXPECT_EQ(store.Lines[store.LineCount], c.lastLine);
        for (int i = 1; i < store.LineCount; ++i)
            EXPECT_FALSE(IsEndMarker(store.Lines[i])) << i;
    }
}

TEST(FileRead, KeepsLinesAsRead)
{
    TempFolder folder;
    folder.Write("m_ngc_ic.txt", "m 1|lower|\r\n\r\nN  12 |x\xB0|\r\nEND\r\n");
    LineStore store;
    FileRead(store);
    ASSERT_EQ(store.LineCount, 4);
    EXPECT_EQ(store.Lines[1], "m 1|lower|");
    EXPECT_EQ(store.Lines[2], "");
    EXPECT_EQ(store.Lines[3], "N  12 |x\xB0|");
}

TEST(FileRead, RefusesMoreLinesThanTheStoreHolds)
{
    const std::pair<const char*, std::string> cases[] = {
        {"marker on line 20001", Lines(LineStoreCapacity + 1, "END\r\n")},
        {"20000 lines and no marker", Lines(LineStoreCapacity, "N 0|0|\r\n")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TempFolder folder;
        folder.Write("m_ngc_ic.txt", bytes);
        LineStore store;
        try {
            FileRead(store);
            ADD_FAILURE() << "loaded";
        } catch (const CatalogueTooLong& error) {
            EXPECT_STREQ(error.what(), "m_ngc_ic.txt holds more than 20000 lines");
        }
        EXPECT_EQ(store.LineCount, 0);
    }
}

TEST(FileRead, FailuresLeaveTheStoreEmpty)
{
    TempFolder folder;
    LineStore store;
    try {
        FileRead(store);
        ADD_FAILURE() << "loaded a missing file";
    } catch (const IoError& error) {
        EXPECT_EQ(error.Code(), 2);
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_EQ(store.LineCount, 0);

    std::filesystem::create_directory("m_ngc_ic.txt");
    try {
        FileRead(store);
        ADD_FAILURE() << "loaded a folder";
    } catch (const IoError& error) {
        EXPECT_EQ(error.Code(), 5);
    }
    EXPECT_EQ(store.LineCount, 0);
}

}
