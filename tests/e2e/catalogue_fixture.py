"""A small catalogue in the program's layout and the queries it gives."""

SMALL_CATALOGUE = (
    b"M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula\r\n"
    b"M 31|00|42|44.3|+|41|16|09|G And Andromeda Galaxy\r\n"
    b"N 7000|20|59|17.1|+|44|31|44|HII Cyg North America Nebula\r\n"
    b"END\r\n"
)


def query(ra, dec, survey=b"all", size=b"5"):
    (h, m, s), (sign, d, dm, ds) = ra, dec
    return (b"http://archive.stsci.edu/cgi-bin/dss_search?v=" + survey
            + b"&r=" + h + b"%20" + m + b"m+%2000" + s
            + b"&d=" + sign + b"%20" + d + b"\xb0%20" + dm + b"'%20" + ds
            + b"\"&e=J2000&h=" + size + b"&w=" + size + b"&f=gif&c=none&fov=NONE&v3=")


def shortcut(url):
    return b"[InternetShortcut]\r\nURL=" + url + b"\r\n"
