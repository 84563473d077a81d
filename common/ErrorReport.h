#pragma once

#include <string>
#include <string_view>

// The text of the default error report: the error's message, with a full stop
// appended when the message ends in a character above the full stop.
std::string ErrorReportText(std::string_view message);
