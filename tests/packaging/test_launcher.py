"""The installed program started the way its desktop entry starts it, through
the launcher, with a fresh home folder; and started by hand in a folder."""

import os
import shutil
import subprocess
import tempfile
import unittest

import installed
from catalogue_fixture import SMALL_CATALOGUE, query, shortcut
from layout import centre_of
from program import MAIN_TITLE
from xsession import XSession, have_tools

ERROR_BOX_TITLE = "^celestrix$"
EDITED_CATALOGUE = b"M 1|01|02|03.4|-|05|06|07.8|edited by the user\r\nEND\r\n"


def m1_link(catalogue):
    h, m, s, sign, d, dm, ds = installed.catalogue_fields(catalogue, b"M 1")
    return shortcut(query((h, m, s), (sign, d, dm, ds)))


def files_named(name, under):
    return sorted(os.path.join(folder, name) for folder, _, files in os.walk(under) if name in files)


def read_bytes(file_name):
    with open(file_name, "rb") as f:
        return f.read()


class Started:
    """One start of a command, in a folder, under the session."""

    def __init__(self, session, arguments, folder, env):
        self.session = session
        self.process = subprocess.Popen(arguments, cwd=folder, env=env,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.stderr = b""

    def wait(self, timeout=30):
        _, self.stderr = self.process.communicate(timeout=timeout)
        return self.process.returncode

    def describe(self):
        if self.process.poll() is None:
            return "still running"
        return "ended with %d: %r" % (self.process.returncode, self.process.communicate()[1])

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class StartedFromTheMenu(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.home = self.make_folder("celestrix-home-")

    def make_folder(self, prefix):
        folder = tempfile.mkdtemp(prefix=prefix)
        self.addCleanup(shutil.rmtree, folder, True)
        return folder

    def env(self, **variables):
        env = self.session.env({"HOME": self.home})
        env.pop("XDG_DATA_HOME", None)
        env.update(variables)
        return installed.environment_with_prefix_on_path(env)

    def start(self, arguments=None, folder=None, **variables):
        started = Started(self.session, arguments or installed.exec_arguments(), folder or self.home,
                          self.env(**variables))
        self.addCleanup(started.stop)
        return started

    def main_window(self, started):
        """The main window, once shown; fails if an error report came first."""
        found = {}

        def shown():
            found["boxes"] = self.session.visible_windows(ERROR_BOX_TITLE)
            found["main"] = self.session.visible_windows(MAIN_TITLE)
            return found["boxes"] or found["main"]

        try:
            self.session.wait_for(shown, "the main window or an error report")
        except AssertionError:
            titles = [self.session.xdotool("getwindowname", w, check=False) for w in self.session.visible_windows(".")]
            raise AssertionError("no main window; windows shown: %r; %s" % (titles, started.describe()))
        self.assertEqual(found["boxes"], [], "an error report was shown")
        return found["main"][0]

    def generate_link(self, window, folder, expected):
        self.session.click(window, *centre_of("Button1"))
        link = os.path.join(folder, "link.url")
        self.session.wait_for(lambda: os.path.exists(link) and read_bytes(link) == expected,
                              "%s to hold %r" % (link, expected))

    def close(self, started, window):
        self.session.close(window)
        self.assertEqual(started.wait(), 0)

    def test_each_start_works_in_the_users_folder_and_keeps_an_edited_catalogue(self):
        folder = os.path.join(self.home, ".local", "share", "celestrix")
        catalogue = os.path.join(folder, "m_ngc_ic.txt")

        first = self.start()
        window = self.main_window(first)
        self.assertEqual(read_bytes(catalogue), read_bytes(installed.installed_catalogue()))
        self.generate_link(window, folder, m1_link(read_bytes(installed.installed_catalogue())))
        self.close(first, window)
        self.assertEqual(sorted(os.listdir(folder)), ["link.url", "m_ngc_ic.txt"])
        self.assertEqual(files_named("link.url", self.home), [os.path.join(folder, "link.url")])

        with open(catalogue, "wb") as f:
            f.write(EDITED_CATALOGUE)
        second = self.start()
        window = self.main_window(second)
        self.generate_link(window, folder, m1_link(EDITED_CATALOGUE))
        self.close(second, window)
        self.assertEqual(read_bytes(catalogue), EDITED_CATALOGUE)

    def test_the_working_folder_follows_an_absolute_xdg_data_home(self):
        # XDG_DATA_HOME, and where the working folder is, under the home folder.
        cases = [
            ("absolute", lambda home: os.path.join(home, "data"), ("data", "celestrix")),
            ("empty", lambda home: "", (".local", "share", "celestrix")),
            ("relative", lambda home: "data", (".local", "share", "celestrix")),
        ]
        for name, data_home, folder in cases:
            with self.subTest(name):
                self.home = self.make_folder("celestrix-home-")
                catalogue = os.path.join(self.home, *folder, "m_ngc_ic.txt")
                started = self.start(XDG_DATA_HOME=data_home(self.home))
                try:
                    window = self.main_window(started)
                    self.assertEqual(files_named("m_ngc_ic.txt", self.home), [catalogue])
                    self.assertEqual(read_bytes(catalogue), read_bytes(installed.installed_catalogue()))
                    self.close(started, window)
                finally:
                    started.stop()

    def test_without_an_installed_catalogue_the_program_reports_it(self):
        # The launcher and the program alone, without the data beside them.
        bare = self.make_folder("celestrix-bare-")
        os.mkdir(os.path.join(bare, "bin"))
        for name in ("celestrix-launcher", "celestrix"):
            shutil.copy2(installed.path("bin", name), os.path.join(bare, "bin", name))
        folder = os.path.join(self.home, ".local", "share", "celestrix")

        started = self.start([os.path.join(bare, "bin", "celestrix-launcher")])
        box = self.session.wait_for_window(ERROR_BOX_TITLE)
        self.assertEqual(self.session.visible_windows(MAIN_TITLE), [])
        self.session.xdotool("windowfocus", "--sync", box)
        self.session.key("Return")
        window = self.session.wait_for_window(MAIN_TITLE)
        self.close(started, window)
        self.assertIn(b"could not copy", started.stderr)
        self.assertEqual(os.listdir(folder), [])

    def test_a_working_folder_that_cannot_be_made_stops_the_launcher(self):
        in_the_way = os.path.join(self.home, "data")
        with open(in_the_way, "wb") as f:
            f.write(b"a file where the folder would go\n")

        started = self.start(XDG_DATA_HOME=in_the_way)
        self.assertNotEqual(started.wait(), 0)
        self.assertIn(("cannot use the folder " + os.path.join(in_the_way, "celestrix")).encode(), started.stderr)
        self.assertEqual(self.session.visible_windows("."), [])

    def test_started_by_hand_the_program_works_in_the_current_folder(self):
        folder = self.make_folder("celestrix-by-hand-")
        with open(os.path.join(folder, "m_ngc_ic.txt"), "wb") as f:
            f.write(SMALL_CATALOGUE)

        started = self.start(["celestrix"], folder=folder)
        window = self.main_window(started)
        self.generate_link(window, folder, m1_link(SMALL_CATALOGUE))
        self.close(started, window)
        self.assertEqual(files_named("link.url", self.home), [])
        self.assertEqual(files_named("m_ngc_ic.txt", self.home), [])


if __name__ == "__main__":
    unittest.main()
