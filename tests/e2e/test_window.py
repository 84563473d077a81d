"""The real program's window on a real X server: its size, its place, its
icon, and the star field behind its controls."""

import os
import re
import shutil
import subprocess
import unittest

from layout import placements
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools, source_dir

CLIENT_SIZE = (353, 202)
SCREEN_SIZE = (1024, 768)


def shipped_catalogue():
    with open(os.path.join(source_dir(), "data", "m_ngc_ic.txt"), "rb") as f:
        return f.read()


def catalogue_fields(catalogue, entry):
    """The fields of a catalogue entry such as b"N 7000"."""
    for line in catalogue.splitlines():
        fields = line.split(b"|")
        if fields[0] == entry:
            return fields
    raise KeyError(entry)


class Picture:
    """An RGB picture read from a binary PPM."""

    def __init__(self, ppm):
        fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        if not fields or fields.group(3) != b"255":
            raise ValueError("not an 8-bit binary PPM")
        self.width, self.height = int(fields.group(1)), int(fields.group(2))
        self.pixels = ppm[fields.end():]

    def at(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])


def grab(session, window):
    """The client area of a window as the screen shows it."""
    result = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"], env=session.env(),
                            capture_output=True, check=True)
    return Picture(result.stdout)


def star_field():
    result = subprocess.run(["convert", os.path.join(source_dir(), "resources", "starfield.jpg"), "-depth", "8", "ppm:-"],
                            capture_output=True, check=True)
    return Picture(result.stdout)


def background_points():
    """Points of the client area that no control covers, nor its edge."""
    controls = [(left - 1, top - 1, left + width + 1, top + height + 1)
                for name, (left, top, width, height) in placements().items() if name != "Image1"]
    for y in range(0, CLIENT_SIZE[1], 3):
        for x in range(0, CLIENT_SIZE[0], 3):
            if not any(left <= x < right and top <= y < bottom for left, top, right, bottom in controls):
                yield x, y


def window_info(session, window):
    """Left, top, width and height of a window's client area on the screen."""
    out = subprocess.run(["xwininfo", "-id", window], env=session.env(), capture_output=True, text=True,
                         check=True).stdout
    value = {key: int(number) for key, number in re.findall(r"^\s*([\w -]+):\s+(-?\d+)\s*$", out, re.M)}
    return (value["Absolute upper-left X"], value["Absolute upper-left Y"], value["Width"], value["Height"])


def xprop(session, window, name):
    return subprocess.run(["xprop", "-id", window, name], env=session.env(), capture_output=True, text=True,
                          check=True).stdout


def centred_left_top():
    return tuple((screen - client) // 2 for screen, client in zip(SCREEN_SIZE, CLIENT_SIZE))


@unittest.skipUnless(have_tools() and shutil.which("import") and shutil.which("convert") and shutil.which("xwininfo"),
                     "needs Xvfb, xdotool, xprop, xwininfo and ImageMagick")
class TheWindowOnTheScreen(unittest.TestCase):
    def start(self, window_manager):
        session = XSession(window_manager=window_manager, size="%dx%dx24" % SCREEN_SIZE).__enter__()
        self.addCleanup(session.__exit__, None, None, None)
        program = Program(session)
        self.addCleanup(program.__exit__, None, None, None)
        program.write("m_ngc_ic.txt", shipped_catalogue())
        program.start()
        return session, session.wait_for_window(MAIN_TITLE), program

    def assert_centred(self, left_top):
        for got, centred in zip(left_top, centred_left_top()):
            self.assertLessEqual(abs(got - centred), 1, "client area %r, centred %r" % (left_top, centred_left_top()))

    def test_the_client_area_is_centred_and_shows_the_star_field_behind_the_controls(self):
        session, window, _ = self.start(window_manager=False)
        left, top, width, height = window_info(session, window)
        self.assertEqual((width, height), CLIENT_SIZE)
        self.assert_centred((left, top))

        picture = star_field()
        self.assertEqual((picture.width, picture.height), (592, 593))
        points = list(background_points())
        seen = {}

        def differing_points():
            seen["shown"] = shown = grab(session, window)
            self.assertEqual((shown.width, shown.height), CLIENT_SIZE)
            return [(x, y) for x, y in points
                    if max(abs(a - b) for a, b in zip(shown.at(x, y), picture.at(x, y))) > 2]

        # Until the first paint, the window shows no picture.
        session.wait_for(lambda: len(differing_points()) <= len(points) // 100,
                         "the picture's own pixels from the top-left corner behind the controls")
        colours = {seen["shown"].at(x, y) for x, y in points}
        self.assertGreater(len(colours), 100, "a star field, not a flat colour")

    def test_under_a_window_manager_the_size_is_fixed_and_the_icon_is_set(self):
        session, window, _ = self.start(window_manager=True)
        hints = xprop(session, window, "WM_NORMAL_HINTS")
        self.assertIn("minimum size: 353 by 202", hints)
        self.assertIn("maximum size: 353 by 202", hints)
        session.wait_for(lambda: "_NET_WM_ACTION_MINIMIZE" in xprop(session, window, "_NET_WM_ALLOWED_ACTIONS"),
                         "the window manager to list what the window allows")
        allowed = xprop(session, window, "_NET_WM_ALLOWED_ACTIONS")
        self.assertNotIn("_NET_WM_ACTION_RESIZE", allowed, "no sizing border")
        self.assertIn("_NET_WM_ACTION_CLOSE", allowed)
        self.assertIn("Icon (16 x 16)", xprop(session, window, "_NET_WM_ICON"))

        left, top, width, height = window_info(session, window)
        self.assertEqual((width, height), CLIENT_SIZE)
        self.assert_centred((left, top))


if __name__ == "__main__":
    unittest.main()


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class TheKeyboardAlone(unittest.TestCase):
    def test_from_the_opening_focus_tab_leads_to_the_number_and_to_generate_link(self):
        session = XSession(window_manager=True).__enter__()
        self.addCleanup(session.__exit__, None, None, None)
        program = Program(session)
        self.addCleanup(program.__exit__, None, None, None)
        catalogue = shipped_catalogue()
        program.write("m_ngc_ic.txt", catalogue)
        program.start()
        window = session.wait_for_window(MAIN_TITLE)
        session.xdotool("windowfocus", "--sync", window)

        session.key("Down")  # the catalogue list has the focus: NGC
        session.key("Tab")  # the number box, its text selected
        session.type("7000")
        session.key("Tab", "Tab", "space")  # past the field of view to "Generate link"
        fields = catalogue_fields(catalogue, b"N 7000")
        right_ascension = b"&r=" + fields[1] + b"%20" + fields[2] + b"m+%2000" + fields[3] + b"&"
        session.wait_for(lambda: program.exists("link.url") and right_ascension in program.read("link.url"),
                         "link.url with the right ascension of NGC 7000")
