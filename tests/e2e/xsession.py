"""A private X server (Xvfb) for tests of the real program, with xdotool to
drive it and, on request, a reparenting window manager (openbox)."""

import os
import shutil
import subprocess
import tempfile
import time


class XSession:
    def __init__(self, window_manager=False, size="1024x768x24"):
        self.window_manager = window_manager
        self.size = size
        self.server = None
        self.manager = None
        self.display = None
        self.runtime_dir = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        if self.window_manager:
            self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(),
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.wait_for(lambda: self._manager_running(), "openbox to manage the screen")
        return self

    def __exit__(self, *exc):
        for process in (self.manager, self.server):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if self.runtime_dir:
            shutil.rmtree(self.runtime_dir, ignore_errors=True)

    def env(self, extra=None):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        if "XDG_RUNTIME_DIR" not in env:
            env["XDG_RUNTIME_DIR"] = self._runtime_dir()
        if extra:
            env.update(extra)
        return env

    def _runtime_dir(self):
        """One private runtime folder for the whole session, removed with it."""
        if self.runtime_dir is None:
            self.runtime_dir = tempfile.mkdtemp(prefix="celestrix-runtime-")
            os.chmod(self.runtime_dir, 0o700)
        return self.runtime_dir

    def _manager_running(self):
        if self.manager.poll() is not None:
            raise RuntimeError("openbox did not start")
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env(),
                                capture_output=True, text=True)
        return "window id" in result.stdout

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env(), capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s failed: %s" % (" ".join(args), result.stderr))
        return result.stdout.strip()

    def visible_windows(self, name_regex):
        out = self.xdotool("search", "--onlyvisible", "--name", name_regex, check=False)
        return [line for line in out.splitlines() if line]

    def wait_for_window(self, name_regex, timeout=20):
        found = []

        def seen():
            found[:] = self.visible_windows(name_regex)
            return bool(found)

        self.wait_for(seen, "a window named %r" % name_regex, timeout)
        return found[0]

    def window_geometry(self, window):
        """Left, top, width and height of a window's client area on the screen."""
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def close(self, window):
        """Asks a window to close, as its title bar's close button does."""
        subprocess.run([x_helper_path(), "close", window], env=self.env(), check=True)

    def click(self, window, x, y):
        """Clicks at client coordinates of the window."""
        self.xdotool("mousemove", "--window", window, str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", "1")

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    @staticmethod
    def wait_for(condition, what, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)


def program_path():
    return os.environ["CELESTRIX_BIN"]


def source_dir():
    return os.environ["CELESTRIX_SOURCE_DIR"]


def x_helper_path():
    return os.environ["CELESTRIX_X_HELPER"]


def have_tools():
    return all(shutil.which(tool) for tool in ("Xvfb", "xdotool", "xprop"))
