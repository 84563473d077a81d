// Checks the catalogue the program ships, data/m_ngc_ic.txt, read through the
// program's own loader and lookup.

#include "catalogue/LineStore.h"
#include "catalogue/Lookup.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <numbers>
// GCC 12 warns falsely inside <regex> when optimising (its bug 105562).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#include <set>
#include <string>
#include <utility>

namespace {

const std::string ShippedCatalogue = std::string(CELESTRIX_SOURCE_DIR) + "/data/m_ngc_ic.txt";

// What tools/make_catalogue.py reports for the committed file.
constexpr int MessierLines = 110;
constexpr int NgcLines = 7839;
constexpr int IcLines = 5377;

class ShippedCatalogueTest : public testing::Test {
protected:
    static void SetUpTestSuite() { FileRead(store, ShippedCatalogue); }
    static LineStore store;
};
LineStore ShippedCatalogueTest::store;

// Keeps the seven coordinate fields a lookup copies out.
class FieldsTarget : public LookupTarget {
public:
    FieldsTarget(std::string choice, std::string number)
        : choice_(std::move(choice))
        , number_(std::move(number))
    {
    }
    std::array<std::string, CoordinateBoxCount> fields;

    std::string CatalogueChoice() const override { return choice_; }
    std::string ObjectNumber() const override { return number_; }
    void SetWindowEnabled(bool) override { }
    void SetCoordinate(CoordinateBox box, const std::string& text) override { fields[static_cast<int>(box)] = text; }
    void ClearForNotFound() override { }

private:
    std::string choice_;
    std::string number_;
};

struct SkyPosition {
    double raDegrees;
    double decDegrees;
};

SkyPosition FromFields(const std::array<std::string, CoordinateBoxCount>& f)
{
    const double ra = 15.0 * (std::stod(f[0]) + std::stod(f[1]) / 60 + std::stod(f[2]) / 3600);
    const double dec = std::stod(f[4]) + std::stod(f[5]) / 60 + std::stod(f[6]) / 3600;
    return {ra, f[3] == "-" ? -dec : dec};
}

SkyPosition Published(double h, double m, double s, char sign, double d, double am, double as)
{
    const double dec = d + am / 60 + as / 3600;
    return {15.0 * (h + m / 60 + s / 3600), sign == '-' ? -dec : dec};
}

double SeparationArcmin(SkyPosition a, SkyPosition b)
{
    constexpr double toRadians = std::numbers::pi / 180;
    const double dRa = (a.raDegrees - b.raDegrees) * toRadians;
    const double dDec = (a.decDegrees - b.decDegrees) * toRadians;
    const double h = std::pow(std::sin(dDec / 2), 2)
        + std::cos(a.decDegrees * toRadians) * std::cos(b.decDegrees * toRadians) * std::pow(std::sin(dRa / 2), 2);
    return 2 * std::asin(std::sqrt(h)) / toRadians * 60;
}

TEST_F(ShippedCatalogueTest, HasOneLinePerObjectInTheLayout)
{
    const std::regex layout(R"([MNI] [1-9][0-9]{0,3}\|[0-9]{2}\|[0-9]{2}\|[0-9]{2}(\.[0-9]+)?\|[+-]\|)"
                            R"([0-9]{2}\|[0-9]{2}\|[0-9]{2}(\.[0-9]+)?\|[^|]*)");
    std::map<char, int> perLetter;
    std::set<std::pair<char, int>> seen;
    ASSERT_EQ(store.LineCount, MessierLines + NgcLines + IcLines + 1);
    for (int i = 1; i < store.LineCount; ++i) {
        const std::string& line = store.Lines[static_cast<std::size_t>(i)];
        ASSERT_TRUE(std::regex_match(line, layout)) << "line " << i << ": " << line;
        const std::pair<char, int> designation{line[0], std::stoi(line.substr(2))};
        EXPECT_TRUE(seen.insert(designation).second) << "second line for " << line;
        ++perLetter[line[0]];
    }
    EXPECT_EQ(store.Lines[static_cast<std::size_t>(store.LineCount)], "END");
    EXPECT_EQ(perLetter['M'], MessierLines);
    EXPECT_EQ(perLetter['N'], NgcLines);
    EXPECT_EQ(perLetter['I'], IcLines);
    for (int m = 1; m <= MessierLines; ++m)
        EXPECT_TRUE(seen.contains({'M', m})) << "M " << m;
}

TEST_F(ShippedCatalogueTest, FindsWellKnownObjectsAtTheirPublishedPositions)
{
    struct Case {
        const char* choice;
        const char* number;
        SkyPosition published;  // J2000
        double toleranceArcmin;
    };
    const Case cases[] = {
        {"M", "1", Published(5, 34, 31.94, '+', 22, 0, 52.2), 1},
        {"M", "31", Published(0, 42, 44.3, '+', 41, 16, 9), 1},
        {"M", "40", Published(12, 22, 12.5, '+', 58, 4, 59), 1},
        {"M", "42", Published(5, 35, 17.3, '-', 5, 23, 28), 1},
        // The Pleiades span two degrees; published centres differ by more than a minute.
        {"M", "45", Published(3, 47, 24, '+', 24, 7, 0), 2},
        {"M", "102", Published(15, 6, 29.5, '+', 55, 45, 48), 1},  // NGC 5866
        {"NGC", "7000", Published(20, 59, 17.1, '+', 44, 31, 44), 1},
        {"IC", "434", Published(5, 41, 0, '-', 2, 27, 0), 1},
        {"IC", "5386", Published(0, 6, 28.4, '-', 3, 42, 58), 1},  // the same galaxy as NGC 7832
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.choice) + " " + c.number);
        FieldsTarget target(c.choice, c.number);
        LookupState state;
        InFileFind(store, state, target);
        ASSERT_FALSE(state.NotFound);
        EXPECT_LT(SeparationArcmin(FromFields(target.fields), c.published), c.toleranceArcmin);
    }
}

TEST_F(ShippedCatalogueTest, LeavesOutNonexistentObjectsAndComponents)
{
    const std::pair<const char*, const char*> absent[] = {
        {"NGC", "412"},   // nonexistent, though the source has a position
        {"IC", "1064"},   // nonexistent, no position
        {"NGC", "5194A"}, // lettered component
    };
    for (const auto& [choice, number] : absent) {
        FieldsTarget target(choice, number);
        LookupState state;
        InFileFind(store, state, target);
        EXPECT_TRUE(state.NotFound) << choice << " " << number;
    }
}

}
