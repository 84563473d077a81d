"""An installed Celestrix: the files under its prefix (CELESTRIX_PREFIX, e.g.
/usr or a staged tree) and its desktop entry."""

import configparser
import os
import shlex
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))

APP_ID = "io.github.celestrix.Celestrix"
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def prefix():
    return os.environ["CELESTRIX_PREFIX"]


def path(*parts):
    return os.path.join(prefix(), *parts)


def source_path(*parts):
    return os.path.join(os.environ["CELESTRIX_SOURCE_DIR"], *parts)


def desktop_file():
    return path("share", "applications", APP_ID + ".desktop")


def metainfo_file():
    return path("share", "metainfo", APP_ID + ".metainfo.xml")


def installed_catalogue():
    return path("share", "celestrix", "m_ngc_ic.txt")


def desktop_entry():
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    with open(desktop_file(), encoding="utf-8") as f:
        parser.read_file(f)
    return dict(parser["Desktop Entry"])


def exec_arguments():
    """The Exec line as a menu runs it: its words without the field codes."""
    words = shlex.split(desktop_entry()["Exec"])
    return [word for word in words if not (len(word) == 2 and word.startswith("%"))]


def environment_with_prefix_on_path(env):
    env["PATH"] = path("bin") + os.pathsep + env.get("PATH", os.defpath)
    return env


def catalogue_fields(catalogue_bytes, name):
    """The seven coordinate fields of the first line for name (b"M 1")."""
    for line in catalogue_bytes.split(b"\r\n"):
        fields = line.split(b"|")
        if fields[0] == name:
            return [field.strip() for field in fields[1:8]]
    raise KeyError(name)


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)
