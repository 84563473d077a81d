"""A second copy of the real program refuses to start, under X11 with and
without a window manager, and elsewhere through the per-user lock."""

import contextlib
import glob
import os
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time
import unittest

from catalogue_fixture import SMALL_CATALOGUE
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools, program_path, x_helper_path

WARNING_TITLE = "^Warning$"


def copy_of_program(folder, name):
    """The program under another file name. A copy, not a link: the program
    takes its title from its executable's resolved path."""
    path = os.path.join(folder, name)
    shutil.copy2(program_path(), path)
    return path


class CopiesFixture(unittest.TestCase):
    """Copies of the program, each in a working folder of its own."""

    @classmethod
    def setUpClass(cls):
        cls.bin_folder = tempfile.mkdtemp(prefix="celestrix-copies-")
        cls.copies = {}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.bin_folder, ignore_errors=True)

    def executable(self, name):
        if name not in self.copies:
            self.copies[name] = copy_of_program(self.bin_folder, name)
        return self.copies[name]

    def start(self, name="celestrix", env=None):
        program = Program(self.session, executable=self.executable(name), env=env)
        self.addCleanup(program.__exit__, None, None, None)
        program.write("m_ngc_ic.txt", SMALL_CATALOGUE)
        return program.start()


@unittest.skipUnless(have_tools() and shutil.which("xwininfo"), "needs Xvfb, xdotool, xprop and xwininfo")
class GuardUnderX11(CopiesFixture):
    window_manager = False

    def setUp(self):
        self.session = XSession(window_manager=self.window_manager).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def windows_of(self, program, name_regex):
        out = self.session.xdotool("search", "--all", "--onlyvisible", "--pid", str(program.process.pid),
                                   "--name", name_regex, check=False)
        return [line for line in out.splitlines() if line]

    def wait_for_window_of(self, program, name_regex):
        found = []

        def seen():
            if program.process.poll() is not None:
                raise AssertionError("the program ended with %s: %s"
                                     % (program.process.returncode, program.process.stderr.read()))
            found[:] = self.windows_of(program, name_regex)
            return bool(found)

        self.session.wait_for(seen, "a window %r of process %d" % (name_regex, program.process.pid))
        return found[0]

    def running(self, name="celestrix"):
        program = self.start(name)
        self.wait_for_window_of(program, MAIN_TITLE)
        return program

    def press(self, window, key):
        self.session.xdotool("windowactivate" if self.window_manager else "windowfocus", "--sync", window)
        self.session.key(key)

    def assert_centred(self, window):
        left, top, width, height = self.session.window_geometry(window)
        screen_width, screen_height = (int(v) for v in self.session.size.split("x")[:2])
        # With a window manager the box's frame is centred, its title bar above the client area.
        allowance = 40 if self.window_manager else 2
        self.assertLessEqual(abs(left + width / 2 - screen_width / 2), allowance)
        self.assertLessEqual(abs(top + height / 2 - screen_height / 2), allowance)

    def assert_stopped(self, program, key="Return", check_centred=False):
        warning = self.wait_for_window_of(program, WARNING_TITLE)
        self.assertEqual(self.windows_of(program, "."), [warning], "the main window is never shown")
        if check_centred:
            self.assert_centred(warning)
        self.press(warning, key)
        self.assertEqual(program.wait(), 0)

    def assert_starts(self, program):
        self.wait_for_window_of(program, MAIN_TITLE)
        self.assertEqual(self.windows_of(program, WARNING_TITLE), [])

    def assert_still_running(self, program):
        self.assertIsNone(program.process.poll())
        # A search that meets a window being destroyed (the other copy's, just
        # ended) comes back short: ask again until the answer settles.
        self.session.wait_for(lambda: len(self.windows_of(program, MAIN_TITLE)) == 1,
                              "the first copy's one main window", timeout=10)

    @contextlib.contextmanager
    def window_held(self, title):
        """Another program's never-mapped, unowned top-level window."""
        helper = subprocess.Popen([x_helper_path(), "window", title], env=self.session.env(),
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        try:
            self.assertTrue(helper.stdout.readline().strip(), "x_helper made its window")
            yield
        finally:
            helper.stdin.close()
            helper.stdout.close()
            helper.wait()

    def root_children(self):
        out = subprocess.run(["xwininfo", "-root", "-children"], env=self.session.env(),
                             capture_output=True, text=True, check=True).stdout
        return [line.split()[0] for line in out.splitlines() if line.strip().startswith("0x")]

    def properties(self, window, *names):
        """The named properties a window has, each as xprop shows its value."""
        out = subprocess.run(["xprop", "-id", window, *names], env=self.session.env(),
                             capture_output=True, text=True).stdout
        found = {}
        for line in out.splitlines():
            if " = " in line or (": " in line and "not found" not in line):
                name, _, value = line.partition(" = ") if " = " in line else line.partition(": ")
                found[name.split("(")[0]] = value.strip()
        return found

    def test_a_second_copy_shows_the_warning_and_ends_while_the_first_runs_on(self):
        for key in ("Return", "Escape"):
            with self.subTest(key=key):
                first = self.running()
                self.assert_stopped(self.start(), key, check_centred=True)
                self.assert_still_running(first)
                first.stop()

    def test_the_application_window_is_a_never_mapped_unowned_root_child_with_the_title(self):
        first = self.running("cELESTRIX.bin")
        titled = []
        for window in self.root_children():
            found = self.properties(window, "WM_NAME", "_NET_WM_PID", "WM_TRANSIENT_FOR")
            if found.get("WM_NAME") == '"celestrix"':
                titled.append((window, found))
        self.assertEqual(len(titled), 1, titled)
        window, found = titled[0]
        self.assertEqual(found.get("_NET_WM_PID"), str(first.process.pid))
        self.assertNotIn("WM_TRANSIENT_FOR", found)
        info = subprocess.run(["xwininfo", "-id", window], env=self.session.env(),
                              capture_output=True, text=True).stdout
        self.assertIn("Map State: IsUnMapped", info)

    def test_copies_whose_names_give_the_same_title_are_stopped(self):
        cases = [
            ("celestrix", "cELESTRIX", True),
            # Qt names its own hidden windows after the file name as it is;
            # only the application window carries the title.
            ("cELESTRIX", "celestrix", True),
            ("celestrix", "celestrix.old", True),
            ("celestrix.2.0", "celestrix", True),
            ("celestrix", "Celestrix", False),
            ("celestrix", "celestrix2", False),
            # Both titles are the Windows-1252 bytes "Caf\xe9\x80".
            ("Caf\u00e9\u20ac", "CAF\u00c9\u20ac.exe", True),
        ]
        for first_name, second_name, stopped in cases:
            with self.subTest(first=first_name, second=second_name):
                first = self.running(first_name)
                second = self.start(second_name)
                if stopped:
                    self.assert_stopped(second)
                else:
                    self.assert_starts(second)
                    second.stop()
                self.assert_still_running(first)
                first.stop()

    def test_another_programs_window_titled_so_stops_the_start(self):
        long_name = "C" + "x" * 126
        cases = [
            ("celestrix", "celestrix", True),
            ("celestrix", "celestrix ", False),
            ("Celestrix", "celestrix", False),
            (long_name, long_name, True),
            (long_name + "x", long_name + "x", False),
        ]
        for window_title, program_name, stopped in cases:
            with self.subTest(window=window_title[:20], length=len(window_title)), self.window_held(window_title):
                program = self.start(program_name)
                if stopped:
                    self.assert_stopped(program)
                else:
                    self.assert_starts(program)
                    program.stop()

    def test_a_title_longer_than_127_characters_never_stops_a_copy(self):
        name = "C" + "x" * 127
        first = self.running(name)
        self.assert_starts(self.start(name))
        self.assert_still_running(first)


class GuardUnderOpenbox(GuardUnderX11):
    window_manager = True

    @classmethod
    def setUpClass(cls):
        if not shutil.which("openbox"):
            raise unittest.SkipTest("needs openbox")
        super().setUpClass()


def vnc_plugin_installed():
    return bool(glob.glob("/usr/lib/*/qt6/plugins/platforms/libqvnc.so")
                or glob.glob("/usr/lib/qt6/plugins/platforms/libqvnc.so"))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class VncKeyboard:
    """Just enough of the RFB protocol to type keys into a program on Qt's
    vnc platform."""

    def __init__(self, port, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.socket = socket.create_connection(("127.0.0.1", port), timeout=timeout)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        version = self._receive(12)
        self.socket.sendall(version)
        if version == b"RFB 003.003\n":
            self._receive(4)  # the server's choice: no authentication
        else:
            self._receive(self._receive(1)[0])
            self.socket.sendall(b"\x01")
            self._receive(4)
        self.socket.sendall(b"\x01")  # shared
        self._receive(20)
        self._receive(struct.unpack(">I", self._receive(4))[0])

    def _receive(self, count):
        data = b""
        while len(data) < count:
            part = self.socket.recv(count - len(data))
            if not part:
                raise EOFError("the vnc server closed the connection")
            data += part
        return data

    def key(self, keysym):
        for down in (1, 0):
            self.socket.sendall(struct.pack(">BBHI", 4, down, 0, keysym))

    def close(self):
        self.socket.close()


RETURN_KEYSYM = 0xFF0D


class WithoutDisplay:
    """What Program asks of a session, for platforms that need no X server."""

    def __init__(self, extra_env):
        self.extra_env = extra_env

    def env(self, extra=None):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        env.update(self.extra_env)
        env.update(extra or {})
        return env

    def visible_windows(self, name_regex):
        return []

    def xdotool(self, *args, check=True):
        return ""


class GuardWithoutX11(CopiesFixture):
    """Copies on Qt platforms without X11 share one per-user runtime folder."""

    def setUp(self):
        self.runtime = tempfile.mkdtemp(prefix="celestrix-runtime-")
        self.addCleanup(shutil.rmtree, self.runtime, True)
        self.session = WithoutDisplay({"QT_QPA_PLATFORM": "offscreen", "XDG_RUNTIME_DIR": self.runtime})

    def lock_holder(self, title):
        """The process that holds the lock for the title, read from the
        kernel's list of locks without touching the lock."""
        try:
            info = os.stat(os.path.join(self.runtime, "celestrix-%s.lock" % title))
        except FileNotFoundError:
            return None
        file_id = "%02x:%02x:%d" % (os.major(info.st_dev), os.minor(info.st_dev), info.st_ino)
        with open("/proc/locks") as f:
            for line in f:
                fields = line.split()
                if "FLOCK" in fields and file_id in fields:
                    return int(fields[fields.index(file_id) - 1])
        return None

    def wait_until_holding(self, program, title):
        def holding():
            if program.process.poll() is not None:
                raise AssertionError("the program ended with %s" % program.process.returncode)
            return self.lock_holder(title) == program.process.pid

        XSession.wait_for(holding, "process %d to hold the lock for %r" % (program.process.pid, title))

    def test_a_copy_holds_its_lock_while_it_runs_and_a_crash_leaves_none(self):
        first = self.start("cELESTRIX")
        self.wait_until_holding(first, "celestrix")
        self.assertIsNone(self.lock_holder("cELESTRIX"))
        first.process.send_signal(signal.SIGKILL)
        first.process.communicate()
        self.assertIsNone(self.lock_holder("celestrix"))
        self.wait_until_holding(self.start(), "celestrix")

    @unittest.skipUnless(vnc_plugin_installed(), "needs Qt's vnc platform to type into the program")
    def test_a_second_copy_shows_the_warning_and_ends_while_the_first_runs_on(self):
        first = self.start()
        self.wait_until_holding(first, "celestrix")
        port = free_port()
        second = self.start("celestrix.old", env={"QT_QPA_PLATFORM": "vnc:size=640x480:port=%d" % port})
        keyboard = VncKeyboard(port)
        self.addCleanup(keyboard.close)
        self.assertIsNone(second.process.poll(), "the warning waits for its OK")
        keyboard.key(RETURN_KEYSYM)
        self.assertEqual(second.wait(), 0)
        self.assertIsNone(first.process.poll())
        self.assertEqual(self.lock_holder("celestrix"), first.process.pid)


if __name__ == "__main__":
    unittest.main()
