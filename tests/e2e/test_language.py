"""The language file at the real program's start: read before the catalogue,
and a file that cannot be read keeps the catalogue from loading."""

import os
import shutil
import tempfile
import unittest

from catalogue_fixture import SMALL_CATALOGUE, query, shortcut
from layout import centre_of
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools, program_path

M1_LINK = shortcut(query((b"05", b"34", b"31.97"), (b"+", b"22", b"00", b"52.1")))
NOBODY = 65534


class UnprivilegedCopy:
    """The program, run as nobody when the tests run as root (for whom a file
    without permissions is readable all the same)."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="celestrix-nobody-")
        os.chmod(self.folder, 0o755)
        self.program = os.path.join(self.folder, "celestrix")
        shutil.copy2(program_path(), self.program)
        os.chmod(self.program, 0o755)
        self.runtime = os.path.join(self.folder, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.executable = self.program
        if os.geteuid() == 0:
            os.chown(self.runtime, NOBODY, NOBODY)
            self.executable = os.path.join(self.folder, "as-nobody")
            with open(self.executable, "w") as f:
                f.write("#!/bin/sh\nexec setpriv --reuid=%d --regid=%d --clear-groups %s\n"
                        % (NOBODY, NOBODY, self.program))
            os.chmod(self.executable, 0o755)

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def write_unreadable(program):
    program.write("language.txt", b"Go\r\n")
    os.chmod(os.path.join(program.folder, "language.txt"), 0)


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class LanguageFileAtStart(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def start(self, prepare, unprivileged):
        env = None
        executable = None
        if unprivileged:
            if os.geteuid() == 0 and not shutil.which("setpriv"):
                self.skipTest("needs setpriv to run the program without privileges")
            copy = UnprivilegedCopy()
            self.addCleanup(copy.remove)
            executable = copy.executable
            env = {"XDG_RUNTIME_DIR": copy.runtime}
        program = Program(self.session, executable=executable, env=env)
        self.addCleanup(program.__exit__, None, None, None)
        os.chmod(program.folder, 0o777)
        program.write("m_ngc_ic.txt", SMALL_CATALOGUE)
        prepare(program)
        return program.start()

    def link_after_generate(self, program, window):
        self.session.click(window, *centre_of("Button1"))
        self.session.wait_for(lambda: program.exists("link.url") and program.read("link.url"), "link.url")
        return program.read("link.url")

    def test_the_catalogue_loads_only_when_the_language_file_could_be_read(self):
        cases = [
            ("a file of seven lines",
             lambda p: p.write("language.txt", b"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"), False, None, M1_LINK),
            ("a folder of that name",
             lambda p: os.mkdir(os.path.join(p.folder, "language.txt")), False, None, M1_LINK),
            ("a file that cannot be read", write_unreadable, True, "^celestrix$", shortcut(b"")),
        ]
        for name, prepare, unprivileged, error_box, link in cases:
            with self.subTest(name):
                program = self.start(prepare, unprivileged)
                if error_box:
                    box = self.session.wait_for_window(error_box)
                    self.assertEqual(self.session.visible_windows(MAIN_TITLE), [])
                    self.session.xdotool("windowfocus", "--sync", box)
                    self.session.key("Return")
                window = self.session.wait_for_window(MAIN_TITLE)
                self.assertEqual(self.session.visible_windows("^celestrix$"), [], "no other error box")
                self.assertEqual(self.link_after_generate(program, window), link)
                program.stop()


if __name__ == "__main__":
    unittest.main()
