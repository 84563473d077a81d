#!/usr/bin/env python3
"""Start-up of the whole program beside a bare Qt Widgets window.

Under a private Xvfb without a window manager, starts the program and the bare
window in turn, round after round, and takes for each start the time from the
start of the process to its main window being mapped, and its peak resident
memory. The program starts in a folder that holds a full catalogue, so the
window maps with the catalogue loaded and the first lookup done. The bare
window is also started showing one line of text, which tells the fonts' share.
The time to the map is taken by the clock and in the program's processor
time, which a busy machine disturbs less.
Prints the medians and writes them, with every sample, as JSON."""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

PROGRAM_TITLE = "Celestrix v.3"
BARE_TITLE = "Bare window"


class PrivateDisplay:
    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.runtime = tempfile.TemporaryDirectory(prefix="celestrix-bench-runtime-")
        os.chmod(self.runtime.name, 0o700)
        self.env = dict(os.environ, DISPLAY=":" + number, XDG_RUNTIME_DIR=self.runtime.name)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            self.env.pop(name, None)
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(10)
        self.runtime.cleanup()


def probe(args, display, folder, title, command):
    run = subprocess.run([args.probe, title, str(args.settle_ms)] + command, cwd=folder, env=display.env,
                         capture_output=True, text=True)
    if run.returncode != 0:
        raise RuntimeError(run.stderr.strip() or "startup_probe failed")
    values = dict(item.split("=") for item in run.stdout.split())
    if values["exit"] != "0":
        raise RuntimeError("%s ended with %s" % (" ".join(command), values["exit"]))
    return {"mapped_ms": float(values["mapped_ms"]), "mapped_cpu_ms": float(values["mapped_cpu_ms"]),
            "cpu_ms": float(values["cpu_ms"]), "maxrss_kib": int(values["maxrss_kib"])}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--make-catalogue", required=True)
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--settle-ms", type=int, default=500)
    parser.add_argument("--json")
    args = parser.parse_args()
    for name in ("program", "bare", "probe", "make_catalogue"):
        setattr(args, name, os.path.abspath(getattr(args, name)))

    runs = [("program", PROGRAM_TITLE, [args.program]),
            ("bare", BARE_TITLE, [args.bare]),
            ("bare_text", BARE_TITLE, [args.bare, "--text"])]
    samples = {name: [] for name, _, _ in runs}
    with tempfile.TemporaryDirectory(prefix="celestrix-bench-start-") as folder, PrivateDisplay() as display:
        subprocess.run([args.make_catalogue, os.path.join(folder, "m_ngc_ic.txt")], check=True)
        for _, title, command in runs:  # a first start of each warms the caches; not counted
            probe(args, display, folder, title, command)
        for round_number in range(args.rounds):
            # Turn the order round by one each round, so none always follows another.
            shift = round_number % len(runs)
            for name, title, command in runs[shift:] + runs[:shift]:
                samples[name].append(probe(args, display, folder, title, command))

    result = {}
    for name, runs_of_one in samples.items():
        result[name] = {key: statistics.median(run[key] for run in runs_of_one) for key in runs_of_one[0]}
        result[name]["samples"] = runs_of_one
    print("%-22s %12s %16s %14s %14s" % ("median of %d starts" % args.rounds, "mapped (ms)",
                                         "CPU to map (ms)", "whole CPU (ms)", "peak RSS (KiB)"))
    for name, _, command in runs:
        print("%-22s %12.1f %16.1f %14.1f %14d" % (" ".join(os.path.basename(c) for c in command),
                                                   result[name]["mapped_ms"], result[name]["mapped_cpu_ms"],
                                                   result[name]["cpu_ms"], result[name]["maxrss_kib"]))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(result, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
