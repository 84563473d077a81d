"""Bad files in the real program's folder, under Xvfb: whatever it finds, the
window opens (after the error report, where one is due), a lookup and
"Generate link" still work, closing the window ends the program with exit
code 0, the catalogue and the language file are left as they were, and no
file but link.url appears."""

import hashlib
import os
import random
import shutil
import subprocess
import tempfile
import unittest

from catalogue_fixture import SMALL_CATALOGUE, query, shortcut
from layout import centre_of
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools, program_path

ERROR_BOX = "^celestrix$"
NOBODY = "nobody"
NOGROUP = "nogroup"

M31 = shortcut(query((b"00", b"42", b"44.3"), (b"+", b"41", b"16", b"09")))
NOT_FOUND = shortcut(b"")
OBJECTS = SMALL_CATALOGUE.replace(b"END\r\n", b"")


class Folder:
    """A folder in place of a file."""


class ReadOnlyForNobody:
    """A file that nobody owns and may not write."""

    def __init__(self, content):
        self.content = content


class LinkTo:
    """A symbolic link in place of a file."""

    def __init__(self, target):
        self.target = target


def numbered_catalogue(lines):
    """lines lines in all: NGC objects, then M 999 on the last line before the
    end marker."""
    body = b"".join(b"N %d|01|02|03|+|04|05|06|\r\n" % i for i in range(1, lines - 1))
    return body + b"M 999|23|59|59.9|-|89|59|59|\r\nEND\r\n"


M999 = shortcut(query((b"23", b"59", b"59.9"), (b"-", b"89", b"59", b"59")))


def random_bytes(count, seed):
    return random.Random(seed).randbytes(count)


# name, files, whether an error box comes before the window, typed number,
# and what link.url then holds.
CATALOGUE_CASES = [
    ("catalogue missing", {}, True, "31", NOT_FOUND),
    ("catalogue is a folder", {"m_ngc_ic.txt": Folder()}, True, "31", NOT_FOUND),
    ("catalogue empty", {"m_ngc_ic.txt": b""}, False, "31", NOT_FOUND),
    ("only the end marker", {"m_ngc_ic.txt": b"END\r\n"}, False, "31", NOT_FOUND),
    ("no end marker", {"m_ngc_ic.txt": OBJECTS}, False, "31", M31),
    ("exactly 20,000 lines", {"m_ngc_ic.txt": numbered_catalogue(20000)}, False, "999", M999),
    ("20,001 lines", {"m_ngc_ic.txt": numbered_catalogue(20001)}, True, "999", NOT_FOUND),
    ("a line of 10 MB", {"m_ngc_ic.txt": b"M " + b"1234567890" * 1024 * 1024 + b"\r\n" + SMALL_CATALOGUE},
     False, "31", M31),
    ("NUL bytes", {"m_ngc_ic.txt": b"\0\0\0\r\nM 3\x001|1|1|1|+|1|1|1|\r\nM 31|00|4\x002|44.3|+|41|16|09|\r\nEND\r\n"},
     False, "31", shortcut(query((b"00", b"4\x002", b"44.3"), (b"+", b"41", b"16", b"09")))),
    ("1A bytes", {"m_ngc_ic.txt": b"\x1AM 31|9|9|9|+|9|9|9|\r\nM 31|00|42|44\x1A.3|+|41|16|09|\r\nEND\r\n"},
     False, "31", shortcut(query((b"00", b"42", b"44"), (b"", b"", b"", b"")))),
    ("lone CRs", {"m_ngc_ic.txt": b"M 1|1|2|3|+|4|5|6|\rM 31|9|9|9|+|9|9|9|\r\n"
                                  b"M 31|00|4\r2|44.3|+|41|1\r6|09|\r\nEND\r\n"}, False, "31", M31),
    ("random binary bytes", {"m_ngc_ic.txt": OBJECTS + random_bytes(65536, 1) + b"\r\nEND\r\n"}, False, "31", M31),
    ("lower-case catalogue letters", {"m_ngc_ic.txt": b"m 31|01|01|01|-|01|01|01|\r\n" + SMALL_CATALOGUE},
     False, "31", M31),
    ("fields with blanks", {"m_ngc_ic.txt": b"M  31 |  00 | 42 |\t44.3 | + | 41|16 |09 \t|\r\nEND\r\n"},
     False, "31", M31),
    ("more than eight bars", {"m_ngc_ic.txt": b"M 31|00|42|44.3|+|41|16|09|G|And||x|\r\nEND\r\n"},
     False, "31", M31),
    ("fewer than eight bars", {"m_ngc_ic.txt": b"M 31|00|42\r\nEND\r\n"},
     False, "31", shortcut(query((b"00", b"42", b""), (b"", b"", b"", b"")))),
]

LANGUAGE_CASES = [
    ("language.txt is a folder", {"language.txt": Folder()}),
    ("language.txt empty", {"language.txt": b""}),
    ("language.txt binary", {"language.txt": random_bytes(4096, 2)}),
    ("language.txt with very long lines", {"language.txt": b"".join(bytes([65 + i]) * (1 << 20) + b"\r\n"
                                                                   for i in range(7))}),
]


def fingerprint(path):
    """What must not change: a file's bytes and modification time, a folder's
    entries, a link's target."""
    if os.path.islink(path):
        return ("link", os.readlink(path))
    if os.path.isdir(path):
        return ("folder", sorted(os.listdir(path)), os.stat(path).st_mtime_ns)
    with open(path, "rb") as f:
        return ("file", hashlib.sha256(f.read()).hexdigest(), os.stat(path).st_mtime_ns)


class UnprivilegedProgram(Program):
    """The program run as nobody, for whom a file without write permission is
    read-only (root writes it all the same). The executable is copied where
    nobody can reach it."""

    def __init__(self, session):
        self.copy = tempfile.mkdtemp(prefix="celestrix-nobody-")
        os.chmod(self.copy, 0o755)
        executable = os.path.join(self.copy, "celestrix")
        shutil.copy2(program_path(), executable)
        home = os.path.join(self.copy, "home")
        runtime = os.path.join(self.copy, "runtime")
        os.mkdir(home)
        os.mkdir(runtime, 0o700)
        for folder in (home, runtime):
            shutil.chown(folder, NOBODY, NOGROUP)
        env = {"HOME": home, "XDG_RUNTIME_DIR": runtime}
        env.update(self.sanitizer_options_readable_by_nobody())
        super().__init__(session, executable=executable, env=env)
        shutil.chown(self.folder, NOBODY, NOGROUP)
        os.chmod(self.folder, 0o755)

    def sanitizer_options_readable_by_nobody(self):
        """A sanitizer stops the program when it cannot read its suppressions
        file: each one named is copied beside the executable."""
        options = {}
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if "suppressions=" not in os.environ.get(name, ""):
                continue
            parts = []
            for part in os.environ[name].split(":"):
                if part.startswith("suppressions="):
                    copy = os.path.join(self.copy, name.lower() + ".supp")
                    shutil.copyfile(part.split("=", 1)[1], copy)
                    os.chmod(copy, 0o644)
                    part = "suppressions=" + copy
                parts.append(part)
            options[name] = ":".join(parts)
        return options

    def start(self):
        command = ["setpriv", "--reuid=" + NOBODY, "--regid=" + NOGROUP, "--clear-groups", self.executable]
        self.process = subprocess.Popen(command, cwd=self.folder, env=self.session.env(self.extra_env),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return self

    def remove_folder(self):
        super().remove_folder()
        shutil.rmtree(self.copy, ignore_errors=True)


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class BadInput(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def place(self, program, files):
        for name, content in files.items():
            path = os.path.join(program.folder, name)
            if isinstance(content, Folder):
                os.mkdir(path)
            elif isinstance(content, LinkTo):
                os.symlink(content.target, path)
            elif isinstance(content, ReadOnlyForNobody):
                program.write(name, content.content)
                shutil.chown(path, NOBODY, NOGROUP)
                os.chmod(path, 0o444)
            else:
                program.write(name, content)

    def guarded(self, program):
        """The fingerprints of the files the program must leave alone."""
        return {name: fingerprint(os.path.join(program.folder, name))
                for name in ("m_ngc_ic.txt", "language.txt") if os.path.lexists(os.path.join(program.folder, name))}

    def start(self, files, program=None):
        program = program or Program(self.session)
        self.addCleanup(program.__exit__, None, None, None)
        self.place(program, files)
        self.before = self.guarded(program)
        self.placed = set(os.listdir(program.folder))
        return program.start()

    def dismiss_error_box(self):
        box = self.session.wait_for_window(ERROR_BOX)
        self.session.xdotool("windowfocus", "--sync", box)
        self.session.key("Return")
        self.session.wait_for(lambda: not self.session.visible_windows(ERROR_BOX), "the error box to close")

    def open_window(self, error_first):
        if error_first:
            self.session.wait_for_window(ERROR_BOX)
            self.assertEqual(self.session.visible_windows(MAIN_TITLE), [], "the window opened before the error box")
            self.dismiss_error_box()
        window = self.session.wait_for_window(MAIN_TITLE)
        self.assertEqual(self.session.visible_windows(ERROR_BOX), [], "an error box nobody expected")
        return window

    def generate(self, window, path, expected):
        """Presses "Generate link" and waits for the file at path to hold expected."""
        self.session.click(window, *centre_of("Button1"))

        def written():
            try:
                with open(path, "rb") as f:
                    return f.read() == expected
            except OSError:
                return False

        self.session.wait_for(written, "%s to hold %r" % (path, expected[:200]), timeout=30)

    def look_up(self, program, window, number, expected):
        self.session.click(window, *centre_of("Edit8"))
        self.session.key("ctrl+a")
        self.session.type(number)
        self.generate(window, os.path.join(program.folder, "link.url"), expected)

    def close(self, program, window):
        self.session.close(window)
        self.assertEqual(program.wait(), 0)

    def assert_nothing_lost(self, program):
        self.assertEqual(self.guarded(program), self.before, "the catalogue or the language file changed")
        self.assertLessEqual(set(os.listdir(program.folder)), self.placed | {"link.url"}, "a file appeared")

    def run_case(self, files, error_first, number, expected):
        program = self.start(files)
        try:
            window = self.open_window(error_first)
            self.look_up(program, window, number, expected)
            self.close(program, window)
            self.assert_nothing_lost(program)
        finally:
            # A copy left running would stop the next case's start.
            program.stop()

    def test_bad_catalogues(self):
        for name, files, error_first, number, expected in CATALOGUE_CASES:
            with self.subTest(name):
                self.run_case(files, error_first, number, expected)

    def test_bad_language_files(self):
        for name, files in LANGUAGE_CASES:
            with self.subTest(name):
                self.run_case(dict(files, **{"m_ngc_ic.txt": SMALL_CATALOGUE}), False, "31", M31)

    def test_a_failed_write_of_link_url_is_reported_and_the_next_press_writes_it(self):
        cases = [
            ("link.url a folder", {"link.url": Folder()}, None, lambda path: os.rmdir(path)),
            ("link.url a link to /dev/full", {"link.url": LinkTo("/dev/full")}, None, lambda path: os.remove(path)),
            ("link.url read-only", {"link.url": ReadOnlyForNobody(b"[InternetShortcut]\r\nURL=http://kept/\r\n")},
             UnprivilegedProgram, lambda path: os.chmod(path, 0o644)),
        ]
        for name, files, kind, repair in cases:
            with self.subTest(name):
                if kind is UnprivilegedProgram and not shutil.which("setpriv"):
                    self.skipTest("needs setpriv to run the program as nobody")
                program = self.start(dict(files, **{"m_ngc_ic.txt": SMALL_CATALOGUE}),
                                     kind(self.session) if kind else None)
                path = os.path.join(program.folder, "link.url")
                try:
                    window = self.open_window(error_first=False)
                    self.session.click(window, *centre_of("Edit8"))
                    self.session.key("ctrl+a")
                    self.session.type("31")
                    self.session.click(window, *centre_of("Button1"))
                    self.dismiss_error_box()
                    repair(path)
                    self.generate(window, path, M31)
                    self.close(program, window)
                    self.assert_nothing_lost(program)
                finally:
                    program.stop()

    def test_a_link_pointing_elsewhere_is_followed(self):
        elsewhere = tempfile.mkdtemp(prefix="celestrix-elsewhere-")
        self.addCleanup(shutil.rmtree, elsewhere, True)
        target = os.path.join(elsewhere, "kept.url")
        with open(target, "wb") as f:
            f.write(b"old")
        program = self.start({"m_ngc_ic.txt": SMALL_CATALOGUE, "link.url": LinkTo(target)})
        window = self.open_window(error_first=False)
        self.look_up(program, window, "31", M31)
        self.assertEqual(os.readlink(os.path.join(program.folder, "link.url")), target)
        self.close(program, window)
        self.assert_nothing_lost(program)


if __name__ == "__main__":
    unittest.main()
