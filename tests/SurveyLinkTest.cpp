#include "link/SurveyLink.h"

#include <gtest/gtest.h>

namespace {

LinkInputs Example()
{
    return {"all", "05", "34", "31.9", "+", "22", "00", "52", "5"};
}

TEST(BuildLink, ComposesTheQueryPiecesInOrder)
{
    EXPECT_EQ(BuildLink(Example()),
        "http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=05%2034m+%200031.9"
        "&d=+%2022\xB0%2000'%2052\"&e=J2000&h=5&w=5&f=gif&c=none&fov=NONE&v3=");
}

TEST(BuildLink, TrimsCoordinatesButNotTheSign)
{
    LinkInputs in = Example();
    in.RaHours = " 05\t";
    in.RaSeconds = "  31.9 ";
    in.DecSeconds = "52 ";
    in.Sign = " ";
    const std::string url = BuildLink(in);
    EXPECT_NE(url.find("&r=05%2034m+%200031.9&d= %2022\xB0"), std::string::npos) << url;
    EXPECT_NE(url.find("%2052\"&e="), std::string::npos) << url;
}

TEST(BuildLink, EmptyBoxesLeaveTheFixedPieces)
{
    const std::string url = BuildLink({"dss1", "", "", "", "", "", "", "", ""});
    EXPECT_EQ(url, "http://archive.stsci.edu/cgi-bin/dss_search?v=dss1&r=%20m+%2000&d=%20\xB0%20'%20\"&e=J2000&h=&w="
                   "&f=gif&c=none&fov=NONE&v3=");
}

TEST(BuildLink, TakesEverySurveyNameUnchanged)
{
    for (const char* survey : SurveyNames) {
        LinkInputs in = Example();
        in.Survey = survey;
        EXPECT_TRUE(BuildLink(in).starts_with(std::string("http://archive.stsci.edu/cgi-bin/dss_search?v=") + survey + "&r="))
            << survey;
    }
}

TEST(SizeTextForIndex, MapsTheListIndexToMinutesOfArc)
{
    const char* sizes[] = {"5", "10", "15", "30", "45", "60", "75"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(SizeTextForIndex(i), sizes[i]);
    EXPECT_EQ(SizeTextForIndex(-1), std::nullopt);
    EXPECT_EQ(SizeTextForIndex(7), std::nullopt);
    LinkInputs in = Example();
    in.Size = *SizeTextForIndex(6);
    EXPECT_NE(BuildLink(in).find("&h=75&w=75&"), std::string::npos);
}

}
