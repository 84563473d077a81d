"""What the real program lets in from its folder and hands on, under Xvfb:
it opens no file there but its own three, each by its bare name, and the URL
reaches the desktop's opener as one argument, never through a shell."""

import ctypes
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from catalogue_fixture import query, shortcut
from layout import centre_of
from program import MAIN_TITLE, Program
from xsession import XSession, have_tools

OWN_FILES = {"m_ngc_ic.txt", "language.txt", "link.url"}
OPEN_CALLS = ("open", "openat", "openat2", "creat")
TRACED = "trace=open,openat,openat2,creat,chdir,fchdir,execve,clone,clone3,fork,vfork"
PR_SET_CHILD_SUBREAPER = 36

# Fields a shell would act on, were the URL ever given to one.
HOSTILE_CATALOGUE = (b"M 1|00|42|$(touch pwned)|+|41|'a b'|09;touch pwned2 `touch pwned3`|\r\n"
                     b"END\r\n")
HOSTILE_URL = query((b"00", b"42", b"$(touch pwned)"), (b"+", b"41", b"'a b'", b"09;touch pwned2 `touch pwned3`"))


def encoded_for_browser(url):
    return b"".join(b"%%%02X" % byte if byte >= 0x80 else bytes([byte]) for byte in url)


class Syscall:
    """One line of strace -f output."""
    LINE = re.compile(r'^(\d+) +(<\.\.\. )?(\w+)(?: resumed>|\()(.*)$')
    PATH = re.compile(r'"((?:[^"\\]|\\.)*)"')
    RESULT = re.compile(r'= (-?\d+)')

    def __init__(self, line):
        match = self.LINE.match(line)
        self.valid = bool(match)
        if not match:
            return
        self.pid, resumed, self.name, rest = int(match.group(1)), match.group(2), match.group(3), match.group(4)
        unfinished = rest.endswith("<unfinished ...>")
        # Arguments are on the line that starts a call, the result on the one that ends it.
        path = None if resumed else self.PATH.search(rest)
        self.path = path.group(1) if path else None
        self.dirfd = rest.split(",", 1)[0] if self.name in ("openat", "openat2") and not resumed else None
        result = [] if unfinished else self.RESULT.findall(rest)
        self.result = int(result[-1]) if result else None


def program_file_opens(trace_lines):
    """The program's own opens and changes of folder, as (pid, call, dirfd,
    path). A process it starts is left out from the moment it runs another
    program, and so are the processes that one starts."""
    others = set()
    started = False
    calls = []
    for line in trace_lines:
        call = Syscall(line)
        if not call.valid:
            continue
        if call.name in ("clone", "clone3", "fork", "vfork") and call.pid in others and (call.result or 0) > 0:
            others.add(call.result)
        if call.pid in others:
            continue
        if call.name == "execve" and call.result == 0:
            if started:
                others.add(call.pid)
            started = True
        elif call.name in ("chdir", "fchdir") or (call.name in OPEN_CALLS and call.path is not None):
            calls.append((call.pid, call.name, call.dirfd, call.path))
    return calls


@unittest.skipUnless(have_tools(), "needs Xvfb, xdotool and xprop")
class NothingLetIn(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.bin = tempfile.mkdtemp(prefix="celestrix-bin-")
        self.addCleanup(shutil.rmtree, self.bin, True)
        self.calls = os.path.join(self.bin, "calls")
        os.mkdir(self.calls)
        opener = os.path.join(self.bin, "xdg-open")
        with open(opener, "w") as f:
            # Writes down its arguments, its own id and its parent's name.
            # The process that detached it may be gone already: its name then reads "gone".
            f.write('#!/bin/sh\nout="%s/call.$$"\n'
                    'parent=$(cat "/proc/$PPID/comm" 2>/dev/null) || parent=gone\n'
                    '{ printf "%%s\\n" "$$" "$#" "$parent"; printf "%%s" "$1"; } > "$out.tmp"\n'
                    'mv "$out.tmp" "$out"\n' % self.calls)
        os.chmod(opener, 0o755)

    def start(self, catalogue, command_prefix=(), extra_env=None):
        program = Program(self.session, env=dict(extra_env or {}, PATH=self.bin + ":" + os.environ["PATH"]))
        self.addCleanup(program.__exit__, None, None, None)
        program.write("m_ngc_ic.txt", catalogue)
        program.write("language.txt", b"Generate link\r\nOpen link\r\n")
        program.process = subprocess.Popen([*command_prefix, program.executable], cwd=program.folder,
                                           env=self.session.env(program.extra_env),
                                           stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return program

    def generate_and_open(self, program, url):
        window = self.session.wait_for_window(MAIN_TITLE, timeout=60)
        self.session.click(window, *centre_of("Button1"))
        self.session.wait_for(lambda: program.exists("link.url") and program.read("link.url") == shortcut(url),
                              "link.url", timeout=30)
        self.session.click(window, *centre_of("Button3"))
        self.session.wait_for(lambda: os.listdir(self.calls) and not any(
            name.endswith(".tmp") for name in os.listdir(self.calls)), "the opener to be called", timeout=30)
        self.session.close(window)
        self.assertEqual(program.wait(60), 0)

    def recorded_calls(self):
        calls = []
        for name in sorted(os.listdir(self.calls)):
            with open(os.path.join(self.calls, name), "rb") as f:
                pid, count, parent, argument = f.read().split(b"\n", 3)
            calls.append((int(pid), int(count), parent.decode(), argument))
        return calls

    def become_subreaper(self):
        """The opener is started detached: its parent is gone when it runs, and
        this process, not the system's first, adopts it."""
        libc = ctypes.CDLL(None, use_errno=True)
        if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
            self.skipTest("cannot adopt the program's detached processes")
        self.addCleanup(libc.prctl, PR_SET_CHILD_SUBREAPER, 0, 0, 0, 0)

    def test_the_url_reaches_the_opener_as_one_argument_and_never_a_shell(self):
        self.become_subreaper()
        program = self.start(HOSTILE_CATALOGUE)
        self.generate_and_open(program, HOSTILE_URL)
        calls = self.recorded_calls()
        with open("/proc/self/comm") as f:
            adopter = f.read().strip()
        self.assertEqual(len(calls), 1)
        pid, count, parent, argument = calls[0]
        self.assertEqual((count, argument), (1, encoded_for_browser(HOSTILE_URL)))
        self.assertIn(parent, {"celestrix", adopter, "gone"}, "the opener was started by " + parent)
        for folder in (program.folder, self.bin):
            self.assertFalse([name for name in os.listdir(folder) if name.startswith("pwned")], folder)
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass

    @unittest.skipUnless(shutil.which("strace"), "needs strace")
    def test_only_its_own_files_are_opened_in_the_folder_and_by_their_bare_names(self):
        trace = os.path.join(self.bin, "trace")
        env = {"ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"}  # LSan cannot run traced
        program = self.start(HOSTILE_CATALOGUE, ["strace", "-f", "-qq", "-o", trace, "-e", TRACED], env)
        self.generate_and_open(program, HOSTILE_URL)
        with open(trace, errors="replace") as f:
            opens = program_file_opens(f)
        folder = os.path.realpath(program.folder)
        relative = {path for _, call, _, path in opens if call in OPEN_CALLS and not path.startswith("/")}
        self.assertEqual(relative, OWN_FILES, "files opened by relative names")
        self.assertEqual([entry for entry in opens if entry[1] in ("chdir", "fchdir")], [], "changes of folder")
        self.assertEqual([entry for entry in opens if entry[2] not in (None, "AT_FDCWD")], [],
                         "opens relative to another folder")
        self.assertEqual([entry for entry in opens if entry[1] in OPEN_CALLS and entry[3].startswith("/")
                          and os.path.realpath(entry[3]).startswith(folder + os.sep)], [],
                         "files of the folder opened by a full path")


if __name__ == "__main__":
    unittest.main()
