#include "common/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(byte)), byte) << b;
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes) << b;
    }
}

TEST(Cp1252, MapsTheWindowsCharacters)
{
    const std::pair<unsigned char, char32_t> cases[] = {
        {0xB0, U'\u00B0'}, {0x80, U'\u20AC'}, {0x92, U'\u2019'}, {0x9F, U'\u0178'},
        {0x81, U'\u0081'}, {0x8D, U'\u008D'}, {0xE9, U'\u00E9'}, {'A', U'A'},
    };
    for (const auto& [byte, cp] : cases)
        EXPECT_EQ(Cp1252ToUnicode(byte), cp) << int(byte);
}

TEST(Cp1252, CharactersItCannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("\xCE\xB1"), "?");          // Greek alpha
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x8C\x9F"), "?");  // a star emoji
    EXPECT_EQ(Utf8ToCp1252("1\xC2\xB0"), "1\xB0");
    EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");              // not UTF-8 at all
    EXPECT_EQ(UnicodeToCp1252(0x0080), '?');
}

TEST(Cp1252, LowerCasesAsTheAnsiCodePage)
{
    const std::pair<unsigned char, unsigned char> cases[] = {
        {'A', 'a'}, {'z', 'z'}, {0xC9, 0xE9}, {0xD7, 0xD7}, {0xDE, 0xFE},
        {0xDF, 0xDF}, {0x8A, 0x9A}, {0x9F, 0xFF}, {'1', '1'},
    };
    for (const auto& [upper, lower] : cases)
        EXPECT_EQ(Cp1252ToLower(upper), lower) << int(upper);
}

}
