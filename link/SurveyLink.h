#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::array<const char*, 10> SurveyNames = {
    "dss1", "poss2ukstu_red", "poss2ukstu_ir", "poss2ukstu_blue", "poss1_blue",
    "poss1_red", "all", "quickv", "phase2_gsc2", "phase2_gsc1",
};
inline constexpr int InitialSurveyIndex = 6;

// Field-of-view labels (Windows-1252: B0 is the degree sign) and the side of
// the square field, in minutes of arc, that each stands for.
struct FieldOfView {
    const char* Label;
    const char* Size;
};
inline constexpr std::array<FieldOfView, 7> FieldsOfView = {{
    {"5'", "5"}, {"10'", "10"}, {"15'", "15"}, {"30'", "30"},
    {"45'", "45"}, {"1\xB0", "60"}, {"1\xB0" "15'", "75"},
}};

// The size text for a field-of-view list index; none outside the table.
std::optional<std::string> SizeTextForIndex(int index);

// What the query is made of, as the window holds it.
struct LinkInputs {
    std::string Survey;
    std::string RaHours, RaMinutes, RaSeconds;
    std::string Sign;
    std::string DecDegrees, DecMinutes, DecSeconds;
    std::string Size;
};

inline constexpr const char* SurveyHost = "archive.stsci.edu";

// The image query for the survey service. Coordinates are trimmed; nothing
// is escaped; the degree sign is the single byte B0.
std::string BuildLink(const LinkInputs& inputs);
