"""Starts the real program in a folder of its own under an XSession."""

import os
import shutil
import subprocess
import tempfile

from xsession import program_path

MAIN_TITLE = "^Celestrix v\\.3$"


class Program:
    def __init__(self, session, folder=None, executable=None, env=None):
        self.session = session
        self.folder = folder or tempfile.mkdtemp(prefix="celestrix-e2e-")
        self.executable = executable or program_path()
        self.extra_env = env
        self.process = None

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as f:
            f.write(data)

    def read(self, name):
        with open(os.path.join(self.folder, name), "rb") as f:
            return f.read()

    def exists(self, name):
        return os.path.exists(os.path.join(self.folder, name))

    def start(self):
        self.process = subprocess.Popen([self.executable], cwd=self.folder, env=self.session.env(self.extra_env),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return self

    def wait(self, timeout=30):
        """The exit code; on a time-out the error names the windows still shown."""
        try:
            self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            shown = [self.session.xdotool("getwindowname", w, check=False)
                     for w in self.session.visible_windows(".")]
            raise AssertionError("the program did not end; windows shown: %r" % shown)
        return self.process.returncode

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.communicate()

    def remove_folder(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        self.remove_folder()
