#include "catalogue/Lookup.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

// Answers the lookup's questions and writes down, in order, what it does.
class Recorder : public LookupTarget {
public:
    std::string choice = "M";
    std::string number = "1";
    std::vector<std::string> calls;
    bool enabled = true;

    std::string CatalogueChoice() const override { return choice; }
    std::string ObjectNumber() const override { return number; }
    void SetWindowEnabled(bool on) override
    {
        enabled = on;
        calls.push_back(on ? "enable" : "disable");
    }
    void SetCoordinate(CoordinateBox box, const std::string& text) override
    {
        EXPECT_FALSE(enabled) << "boxes written while the window takes input";
        calls.push_back(std::to_string(static_cast<int>(box)) + "=" + text);
    }
    void ClearForNotFound() override { calls.push_back("clear"); }
};

LineStore StoreOf(std::initializer_list<std::string> lines)
{
    LineStore store;
    for (const auto& line : lines)
        store.Lines[static_cast<std::size_t>(++store.LineCount)] = line;
    return store;
}

const std::vector<std::string> Found(std::initializer_list<std::string> fields)
{
    std::vector<std::string> calls{"disable"};
    int box = 0;
    for (const auto& field : fields)
        calls.push_back(std::to_string(box++) + "=" + field);
    calls.push_back("enable");
    return calls;
}

const std::vector<std::string> NotFoundCalls = {"disable", "clear", "enable"};

TEST(InFileFind, FindsObjectsByLetterAndNumber)
{
    const LineStore store = StoreOf({
        "M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula",
        "N 1952| 05 |34 |31.9| - |22|00|52| dup of M 1",
        "N 224|00|42|44.3|+|41|16|09|",
        "N 01|1|1|1|+|1|1|1|",
        "N 7|first|a|b|+|c|d|e|",
        "N 7|second|a|b|+|c|d|e|",
        "I 434|05|40|59.0|-|02|27|30|",
        "m 2|lower|a|b|+|c|d|e|",
        "I   | blank number|a|b|+|c|d|e|",
        "N 8|few|bars",
        "",
        "END",
    });
    struct Case {
        const char* name;
        std::string choice;
        std::string number;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"M 1", "M", "1", Found({"05", "34", "31.97", "+", "22", "00", "52.1"})},
        {"fields trimmed", "NGC", "1952", Found({"05", "34", "31.9", "-", "22", "00", "52"})},
        {"typed blanks ignored", "NGC", " 224 ", Found({"00", "42", "44.3", "+", "41", "16", "09"})},
        {"first duplicate wins", "NGC", "7", Found({"first", "a", "b", "+", "c", "d", "e"})},
        {"IC selects I lines", "IC", "434", Found({"05", "40", "59.0", "-", "02", "27", "30"})},
        {"numbers compare as text", "NGC", "1", NotFoundCalls},
        {"stored 01 is not 1", "NGC", "1.0", NotFoundCalls},
        {"catalogue letter must match", "IC", "224", NotFoundCalls},
        {"lower-case letter never found", "M", "2", NotFoundCalls},
        {"empty number finds a blank number", "IC", "", Found({"blank number", "a", "b", "+", "c", "d", "e"})},
        {"fewer than eight bars", "NGC", "8", Found({"few", "bars", "", "", "", "", ""})},
        {"not in the catalogue", "M", "110", NotFoundCalls},
        {"no catalogue chosen", "", "1", NotFoundCalls},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder target;
        target.choice = c.choice;
        target.number = c.number;
        LookupState state;
        InFileFind(store, state, target);
        EXPECT_EQ(target.calls, c.calls);
        EXPECT_TRUE(state.ScanDone);
        EXPECT_EQ(state.NotFound, c.calls == NotFoundCalls);
    }
}

TEST(InFileFind, StartsEveryLookupWithClearedFlags)
{
    const LineStore store = StoreOf({"M 1|a|b|c|+|d|e|f|", "END"});
    Recorder target;
    LookupState state;
    target.number = "2";
    InFileFind(store, state, target);
    EXPECT_TRUE(state.NotFound);
    target.number = "1";
    InFileFind(store, state, target);
    EXPECT_FALSE(state.NotFound);
    EXPECT_TRUE(state.ScanDone);
}

TEST(InFileFind, WithNoCatalogueLoadedFindsNothing)
{
    LineStore store;
    Recorder target;
    LookupState state;
    InFileFind(store, state, target);
    EXPECT_EQ(target.calls, NotFoundCalls);
    EXPECT_TRUE(state.NotFound);
}

TEST(STRread, ScansOneFieldAndStopsOnItsBar)
{
    struct Case {
        std::string line;
        int column;
        std::string token;
        int columnAfter;
    };
    const Case cases[] = {
        {"M 1|05|", 3, "1", 4},
        {"M 1|05|", 5, "05", 7},
        {"M 1||", 5, "", 5},
        {"M 12", 3, "12", 5},
        {"M 12", 5, "", 5},
        {"M", 3, "", 3},
        {"", 3, "", 3},
    };
    for (const auto& c : cases) {
        LookupState state;
        state.CurLine = c.line;
        state.Column = c.column;
        STRread(state);
        EXPECT_EQ(state.Token, c.token) << c.line << " @" << c.column;
        EXPECT_EQ(state.Column, c.columnAfter) << c.line << " @" << c.column;
    }
}

}
