#include "common/ErrorReport.h"
#include "common/Trim.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, DropsCodesUpTo32AtBothEndsOnly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"   ", ""},
        {" \t 12 \r\n", "12"},
        {std::string("\0\x01" "a b\x1F", 6), "a b"},
        {"\xA0" "5\xA0", "\xA0" "5\xA0"},
        {"\x7F" "x", "\x7F" "x"},
        {"\xFF ", "\xFF"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(Trim(in), out) << '"' << in << '"';
}

TEST(ErrorReportText, AppendsAFullStopAfterCharactersAboveIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"File not found", "File not found."},
        {"I/O error 32", "I/O error 32."},
        {"Ends with stop.", "Ends with stop."},
        {"Ends with bang!", "Ends with bang!"},
        {"Ends with dash-", "Ends with dash-"},
        {"Ends with slash/", "Ends with slash/."},
        {"Ends high \xE9", "Ends high \xE9."},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ErrorReportText(in), out);
}

}
