#include "link/SurveyLink.h"

#include "common/Trim.h"

std::optional<std::string> SizeTextForIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(FieldsOfView.size()))
        return std::nullopt;
    return FieldsOfView[static_cast<std::size_t>(index)].Size;
}

std::string BuildLink(const LinkInputs& in)
{
    std::string url = "http://";
    url += SurveyHost;
    url += "/cgi-bin/dss_search?v=";
    url += in.Survey;
    url += "&r=";
    url += TrimmedView(in.RaHours);
    url += "%20";
    url += TrimmedView(in.RaMinutes);
    url += "m+%2000";
    url += TrimmedView(in.RaSeconds);
    url += "&d=";
    url += in.Sign;
    url += "%20";
    url += TrimmedView(in.DecDegrees);
    url += "\xB0%20";
    url += TrimmedView(in.DecMinutes);
    url += "'";
    url += "%20";
    url += TrimmedView(in.DecSeconds);
    url += "\"&e=J2000&h=";
    url += in.Size;
    url += "&w=";
    url += in.Size;
    url += "&f=gif&c=none&fov=NONE&v3=";
    return url;
}
