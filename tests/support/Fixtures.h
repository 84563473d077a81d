#pragma once

#include <string>

// A small catalogue in the program's layout, with the fields of a few
// well-known objects.
inline const std::string SmallCatalogue =
    "M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula\r\n"
    "M 12|16|47|14.5|-|01|56|52|GCl Oph\r\n"
    "M 31|00|42|44.3|+|41|16|09|G And Andromeda Galaxy\r\n"
    "N 224|00|42|44.3|+|41|16|09|G And Andromeda Galaxy\r\n"
    "N 7000|20|59|17.1|+|44|31|44|HII Cyg North America Nebula\r\n"
    "I 434|05|40|59.0|-|02|27|30|DrkN Ori Horsehead Nebula\r\n"
    "END\r\n";

// The query for M 1 with the survey "all" and a field of 5'.
inline const std::string M1Url =
    "http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=05%2034m+%200031.97"
    "&d=+%2022\xB0%2000'%2052.1\"&e=J2000&h=5&w=5&f=gif&c=none&fov=NONE&v3=";

inline std::string ShortcutWith(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}
