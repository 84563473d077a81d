"""celestrix.exe under Wine on a private X server, driven with xdotool as a
user drives it; win_probe.exe, running in the same Wine prefix, reads the
texts of the program's windows."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

from xsession import XSession, have_tools

CATALOGUE = (
    b"M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula\r\n"
    b"N 224|00|42|44.3|+|41|16|09|G And Andromeda Galaxy\r\n"
    b"I 434|05|40|59.0|-|02|27|30|DrkN Ori Horsehead Nebula\r\n"
    b"END\r\n")

NGC_224_ALL_5 = (
    b"http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=00%2042m+%200044.3"
    b"&d=+%2041\xb0%2016'%2009\"&e=J2000&h=5&w=5&f=gif&c=none&fov=NONE&v3=")
IC_434_ALL_75 = (
    b"http://archive.stsci.edu/cgi-bin/dss_search?v=all&r=05%2040m+%200059.0"
    b"&d=-%2002\xb0%2027'%2030\"&e=J2000&h=75&w=75&f=gif&c=none&fov=NONE&v3=")

MAIN_TITLE = "Celestrix v.3"

# Client points inside the controls, from the layout table.
COMBOBOX1 = (245, 88)
EDIT8 = (304, 88)
BUTTON1 = (57, 23)
EDIT1 = (157, 23)
EDIT2 = (186, 168)
EDIT3 = (224, 138)


# The controls that take the focus at start, in the Tab order, by their
# top-left corner in the window.
TAB_ORDER_AT_START = [
    ("ComboBox1", 215, 78), ("Edit8", 288, 78), ("ComboBox3", 110, 78), ("Button1", 10, 13),
    ("Edit1", 110, 13), ("Button3", 215, 13), ("CheckBox1", 215, 52), ("ComboBox4", 10, 78),
]


def shortcut(url):
    return b"[InternetShortcut]\r\nURL=" + url + b"\r\n"


def wine_ready():
    wine = os.environ.get("CELESTRIX_WINE", "")
    return bool(wine) and os.access(wine, os.X_OK) and have_tools()


@unittest.skipUnless(wine_ready(), "needs wine64, Xvfb, xdotool and xprop")
class WindowsProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.x = XSession()
        cls.x.__enter__()
        cls.env = cls.x.env({
            "WINEPREFIX": os.environ["CELESTRIX_WINEPREFIX"],
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        # The first start in a fresh prefix sets the prefix up; later ones are quick.
        subprocess.run([os.environ["CELESTRIX_WINE"], "wineboot", "--init"], env=cls.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=True)

    @classmethod
    def tearDownClass(cls):
        cls.x.__exit__(None, None, None)

    def setUp(self):
        self.folders = []
        self.processes = []
        self.new_folder()

    def tearDown(self):
        self.end_programs()
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)

    def new_folder(self):
        """A fresh working folder for the next programs started."""
        self.folder = tempfile.mkdtemp(prefix="celestrix-wine-")
        self.folders.append(self.folder)

    def end_programs(self):
        """Ends every program of this Wine prefix, the probe's included."""
        subprocess.run([os.environ["CELESTRIX_WINESERVER"], "-k"], env=self.env, check=False)
        for process in self.processes:
            try:
                process.wait(20)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.processes = []

    def start(self, exe_name="celestrix.exe"):
        exe = os.path.join(self.folder, exe_name)
        if not os.path.exists(exe):
            shutil.copyfile(os.environ["CELESTRIX_EXE"], exe)
        process = subprocess.Popen([os.environ["CELESTRIX_WINE"], exe], cwd=self.folder, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def write_catalogue(self):
        with open(os.path.join(self.folder, "m_ngc_ic.txt"), "wb") as out:
            out.write(CATALOGUE)

    def probe(self, *args):
        result = subprocess.run([os.environ["CELESTRIX_WINE"], os.environ["CELESTRIX_WIN_PROBE"], *args],
                                env=self.env, capture_output=True, timeout=60)
        if result.returncode != 0:
            return None
        return result.stdout.decode("cp1252").replace("\r\n", "\n")

    def texts(self, title):
        out = self.probe("texts", title)
        return [] if out is None else out.split("\n")[:-1]

    def text_at(self, point):
        out = self.probe("text-at", MAIN_TITLE, str(point[0]), str(point[1]))
        return None if out is None else out[:-1]

    def wait_for_window(self, title, timeout=120):
        return self.x.wait_for_window("^" + title.replace(".", r"\.") + "$", timeout)

    def press_in(self, window, key):
        """Gives the window the keyboard focus and presses the key."""
        self.x.xdotool("windowfocus", window)
        time.sleep(0.3)
        self.x.key(key)

    def wait_for_link_file(self, expected):
        path = os.path.join(self.folder, "link.url")

        def written():
            try:
                with open(path, "rb") as f:
                    return f.read() == expected
            except OSError:
                return False

        try:
            self.x.wait_for(written, "link.url", 20)
        except AssertionError:
            pass
        with open(path, "rb") as f:
            self.assertEqual(f.read(), expected)

    def choose_catalogue_with_the_mouse(self, window, items_down):
        # The open list lies under the closed field; its rows are the items.
        self.x.click(window, *COMBOBOX1)
        time.sleep(0.5)
        field_bottom, row = 78 + 21, 13
        self.x.click(window, COMBOBOX1[0], field_bottom + row * items_down + row // 2 + 1)

    def choose_catalogue_with_the_keyboard(self, window, items_down):
        self.x.click(window, *COMBOBOX1)
        time.sleep(0.5)
        self.x.key(*(["Down"] * items_down), "Return")

    def type_number(self, window, number):
        self.x.click(window, *EDIT8)
        self.x.key("End", "BackSpace", "BackSpace", "BackSpace", "BackSpace")
        self.x.type(number)

    def test_a_chosen_object_gives_its_link_in_the_box_and_the_file(self):
        # The number is typed first, so that the lookup which closing the list
        # runs is the one that finds the object. Wine's list, like Windows',
        # reports the selection change of a choice made in the open list only
        # after its close-up, for a click and for Enter alike.
        cases = [
            ("NGC with the mouse", self.choose_catalogue_with_the_mouse, 1, "224", "00", [], NGC_224_ALL_5),
            # Tab twice from the catalogue list reaches the field of view;
            # Down on a closed list chooses the next item.
            ("IC with the keyboard", self.choose_catalogue_with_the_keyboard, 2, "434", "05",
             ["Tab", "Tab"] + ["Down"] * 6, IC_434_ALL_75),
        ]
        for name, choose, items_down, number, hours, keys, url in cases:
            with self.subTest(name):
                self.write_catalogue()
                self.start()
                window = self.wait_for_window(MAIN_TITLE)
                time.sleep(1)
                self.type_number(window, number)
                choose(window, items_down)
                time.sleep(0.5)
                self.assertEqual(self.text_at(EDIT3), hours)
                if keys:
                    self.x.key(*keys)
                    time.sleep(0.5)
                self.x.click(window, *BUTTON1)
                self.wait_for_link_file(shortcut(url))
                self.assertEqual(self.text_at(EDIT1), url.decode("cp1252"))
                self.end_programs()
                self.new_folder()

    def focused_control(self):
        out = self.probe("focus", MAIN_TITLE)
        if out is None:
            return None
        left, top = (int(n) for n in out.split())
        return next((name for name, x, y in TAB_ORDER_AT_START if (x, y) == (left, top)), (left, top))

    def test_the_catalogue_list_has_the_focus_and_tab_walks_the_enabled_controls_in_order(self):
        self.write_catalogue()
        self.start()
        window = self.wait_for_window(MAIN_TITLE)
        time.sleep(1)
        self.x.xdotool("windowfocus", window)
        seen = [self.focused_control()]
        for _ in TAB_ORDER_AT_START:
            self.x.key("Tab")
            time.sleep(0.2)
            seen.append(self.focused_control())
        names = [name for name, _, _ in TAB_ORDER_AT_START]
        self.assertEqual(seen, names + names[:1])

    def test_the_hidden_application_window_bears_the_title_and_owns_the_main_window(self):
        self.write_catalogue()
        self.start()
        self.wait_for_window(MAIN_TITLE)
        windows = self.probe("windows").split("\n")
        self.assertIn("0\t0\tcelestrix", windows)
        self.assertIn("1\t1\t" + MAIN_TITLE, windows)

    def test_a_missing_catalogue_is_reported_under_the_application_title_before_the_window_opens(self):
        # "CeleSTRIX.exe" gives the application title "Celestrix".
        self.start("CeleSTRIX.exe")
        box = self.wait_for_window("Celestrix")
        self.assertIn("File not found.", self.texts("Celestrix"))
        self.assertEqual(self.x.visible_windows("^" + MAIN_TITLE + "$"), [])
        self.press_in(box, "Return")
        self.wait_for_window(MAIN_TITLE, 30)
        self.assertEqual(self.text_at(EDIT2), "+")
        self.assertEqual(self.text_at(EDIT3), "")

    def test_a_second_copy_with_the_same_title_warns_and_ends(self):
        cases = [
            ("the same program", "celestrix.exe", True),
            ("a name differing after its first letter and its first dot", "cELESTRIX.2.exe", True),
            ("a name with another first letter", "Celestrix.exe", False),
        ]
        for name, second_name, stopped in cases:
            with self.subTest(name):
                self.write_catalogue()
                first = self.start("celestrix.exe")
                self.wait_for_window(MAIN_TITLE)
                second = self.start(second_name)
                if stopped:
                    box = self.wait_for_window("Warning", 60)
                    self.assertIn("Celestrix is already running!", self.texts("Warning"))
                    self.assertEqual(len(self.x.visible_windows("^" + MAIN_TITLE + "$")), 1)
                    self.press_in(box, "Return")
                    self.assertEqual(second.wait(30), 0)
                    self.assertIsNone(first.poll())
                    self.assertEqual(len(self.x.visible_windows("^" + MAIN_TITLE + "$")), 1)
                else:
                    self.x.wait_for(lambda: len(self.x.visible_windows("^" + MAIN_TITLE + "$")) == 2,
                                    "both copies' windows", 60)
                    self.assertEqual(self.x.visible_windows("^Warning$"), [])
                self.end_programs()
                self.new_folder()


if __name__ == "__main__":
    unittest.main()
