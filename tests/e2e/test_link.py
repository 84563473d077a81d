"""From a catalogue number to link.url, through the real program's window."""

import unittest

from catalogue_fixture import SMALL_CATALOGUE, query, shortcut
from layout import centre_of
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class LinkFromTheWindow(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def start(self, catalogue=SMALL_CATALOGUE):
        program = Program(self.session)
        self.addCleanup(program.__exit__, None, None, None)
        if catalogue is not None:
            program.write("m_ngc_ic.txt", catalogue)
        return program.start()

    def click(self, window, control):
        self.session.click(window, *centre_of(control))

    def type_number(self, window, number):
        self.click(window, "Edit8")
        self.session.key("ctrl+a")
        self.session.type(number)

    def generate(self, program, window, expected):
        self.click(window, "Button1")
        self.session.wait_for(lambda: program.exists("link.url") and program.read("link.url") == expected,
                              "link.url to hold " + repr(expected))

    def test_an_object_by_number_and_by_catalogue_list(self):
        program = self.start()
        window = self.session.wait_for_window(MAIN_TITLE)
        self.type_number(window, "31")
        self.generate(program, window, shortcut(query((b"00", b"42", b"44.3"), (b"+", b"41", b"16", b"09"))))

        self.click(window, "ComboBox1")
        self.session.key("Down", "Return")
        self.type_number(window, "7000")
        self.generate(program, window, shortcut(query((b"20", b"59", b"17.1"), (b"+", b"44", b"31", b"44"))))

        self.type_number(window, "7001")
        self.generate(program, window, shortcut(b""))

        self.session.close(window)
        self.assertEqual(program.wait(), 0)

    def test_a_missing_catalogue_is_reported_before_the_window_opens(self):
        program = self.start(catalogue=None)
        box = self.session.wait_for_window("^celestrix$")
        self.assertEqual(self.session.visible_windows(MAIN_TITLE), [])
        self.session.xdotool("windowfocus", "--sync", box)
        self.session.key("Return")
        window = self.session.wait_for_window(MAIN_TITLE)
        self.click(window, "Button1")
        self.session.wait_for(lambda: program.exists("link.url"), "link.url")
        self.session.close(window)
        self.assertEqual(program.wait(), 0)


if __name__ == "__main__":
    unittest.main()
