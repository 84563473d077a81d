#!/usr/bin/env python3
"""Prints the table of figures from the results bench/run_all.sh leaves:
each figure beside its baseline or limit, with the ratio and the verdict."""

import json
import os
import platform
import sys

MIB = 1024


def benchmark_results(path):
    """Google Benchmark results by name: the median of the repetitions where
    there are repetitions, the single run where there are none."""
    with open(path) as f:
        entries = json.load(f)["benchmarks"]
    results = {}
    for entry in entries:
        if entry.get("run_type") == "aggregate":
            if entry.get("aggregate_name") == "median":
                results[entry["run_name"]] = entry
        else:
            results.setdefault(entry["run_name"], entry)
    return results


def in_microseconds(entry, key):
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[entry["time_unit"]]
    return entry[key] * scale


def show_time(us):
    return "%.3f ms" % (us / 1000) if us >= 1000 else "%.1f us" % us if us >= 10 else "%.3f us" % us


class Table:
    def __init__(self):
        self.rows = []

    def ratio(self, figure, measured_us, baseline_name, baseline_us, limit):
        ratio = measured_us / baseline_us
        verdict = "-" if limit is None else ("met" if ratio <= limit else "MISSED")
        self.rows.append((figure, show_time(measured_us), "%s %s" % (baseline_name, show_time(baseline_us)),
                          "%.2f" % ratio, "-" if limit is None else "<= %.1f" % limit, verdict))

    def absolute(self, figure, measured, limit_text, met):
        self.rows.append((figure, measured, "", "", limit_text, "-" if met is None else "met" if met else "MISSED"))

    def print(self):
        header = ("Figure", "Measured", "Against", "Ratio", "Limit", "Verdict")
        widths = [max(len(row[i]) for row in self.rows + [header]) for i in range(len(header))]
        line = lambda row: "| " + " | ".join(cell.ljust(widths[i]) for i, cell in enumerate(row)) + " |"
        print(line(header))
        print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
        for row in self.rows:
            print(line(row))


def function_rows(table, core):
    cpu = lambda name: in_microseconds(core[name], "cpu_time")
    table.ratio("Catalogue load, 20,000 lines: FileRead", cpu("Load_FileRead"),
                "read + memchr split", cpu("Load_ReadAndSplit"), 2.0)
    lookups = [("last object line of 20,000", "last_line_20000", 4.0),
               ("not found in 20,000", "not_found_20000", 4.0),
               ("IC 5386, shipped catalogue", "IC5386_shipped", 4.0),
               ("M 1, shipped (first line: no scan)", "M1_shipped", None)]
    for label, suffix, limit in lookups:
        table.ratio("Lookup, %s: InFileFind" % label, cpu("Lookup_InFileFind/" + suffix),
                    "memchr scan", cpu("Lookup_Scan/" + suffix), limit)
    table.ratio("Generate link: BuildLink + WriteLinkFile (clock)",
                in_microseconds(core["Link_BuildLinkAndWriteLinkFile/real_time"], "real_time"),
                "open/write/close", in_microseconds(core["Link_PlainWrite/real_time"], "real_time"), None)
    table.absolute("Star-field picture decode: DecodeJpeg 592x593",
                   show_time(cpu("StarField_DecodeJpeg")), "", None)


def widget_rows(table, widgets):
    for label, name in [("last object line", "Keystroke/last_line_20000/manual_time"),
                        ("not found", "Keystroke/not_found_20000/manual_time")]:
        entry = widgets[name]
        median = entry["median_us"]
        table.absolute("Keystroke into Edit8, 20,000 lines, %s: median" % label,
                       "%s (CPU %s, p90 %s)" % (show_time(median), show_time(entry["median_cpu_us"]),
                                                show_time(entry["p90_us"])),
                       "< 1 ms", median < 1000)
    repainted = widgets["Keystroke/last_line_20000_repainted/manual_time"]
    table.absolute("Keystroke as above, boxes repainted too: median",
                   "%s (CPU %s)" % (show_time(repainted["median_us"]), show_time(repainted["median_cpu_us"])),
                   "< 1 ms", repainted["median_us"] < 1000)
    plain = widgets["Keystroke/plain_line_edit/manual_time"]
    table.absolute("Keystroke into a plain QLineEdit (Qt's share): median",
                   show_time(plain["median_us"]), "", None)
    paint = widgets["FirstPaint/main_window"]
    table.absolute("First paint of the main window (star field decoded)",
                   show_time(in_microseconds(paint, "cpu_time")), "", None)


def startup_rows(table, start):
    program, bare, text = start["program"], start["bare"], start["bare_text"]
    for key, how in (("mapped_ms", "clock"), ("mapped_cpu_ms", "processor time")):
        table.ratio("Start-up to main window mapped (%s)" % how, program[key] * 1000,
                    "bare window", bare[key] * 1000, 1.2)
        table.ratio("Start-up to main window mapped (%s)" % how, program[key] * 1000,
                    "bare window with text", text[key] * 1000, None)
    above = (program["maxrss_kib"] - bare["maxrss_kib"]) / MIB
    table.absolute("Peak resident memory above the bare window",
                   "%.1f MiB (%.1f against %.1f)" % (above, program["maxrss_kib"] / MIB, bare["maxrss_kib"] / MIB),
                   "<= 4 MiB", above <= 4)
    above_text = (program["maxrss_kib"] - text["maxrss_kib"]) / MIB
    table.absolute("Peak resident memory above the bare window with text",
                   "%.1f MiB" % above_text, "", None)
    table.ratio("Processor time of a whole run (start, paint, close)", program["cpu_ms"] * 1000,
                "bare window", bare["cpu_ms"] * 1000, None)


def machine(results):
    model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")),
                 platform.processor())
    load = lambda name: " ".join(open(os.path.join(results, name)).read().split()[:3])
    return "%s, %d cores, Linux %s; load average before %s, after %s" % (
        model, os.cpu_count(), platform.release(), load("load-before.txt"), load("load-after.txt"))


def main():
    results = sys.argv[1] if len(sys.argv) > 1 else "."
    table = Table()
    function_rows(table, benchmark_results(os.path.join(results, "core.json")))
    widget_rows(table, benchmark_results(os.path.join(results, "widgets.json")))
    with open(os.path.join(results, "startup.json")) as f:
        startup_rows(table, json.load(f))
    print(machine(results))
    print("Functions: median processor time of 12 repetitions; keystrokes: median of single keystrokes;")
    print("start-up: median of 15 alternated starts under Xvfb, by the clock and in processor time.")
    print()
    table.print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
