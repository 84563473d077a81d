#include "app/InstanceGuard.h"

#include <algorithm>
#include <string_view>

namespace {
// What a title buffer holds: the text up to its first zero byte, cut to fit.
std::string_view AsReadIntoBuffer(std::string_view title)
{
    title = title.substr(0, title.find('\0'));
    return title.substr(0, TitleBufferSize - 1);
}
}

// An empty application title is never matched: untitled windows abound, and
// every start would be refused.
bool IsRunningCopy(const TopLevelWindow& window, const std::string& applicationTitle)
{
    if (window.BelongsToThisCopy || window.HasOwner || applicationTitle.empty())
        return false;
    return AsReadIntoBuffer(window.Title) == applicationTitle;
}

bool AnotherCopyRunning(const std::vector<TopLevelWindow>& windows, const std::string& applicationTitle)
{
    return std::any_of(windows.begin(), windows.end(),
        [&](const TopLevelWindow& window) { return IsRunningCopy(window, applicationTitle); });
}
