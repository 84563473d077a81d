"""Tests of tools/make_catalogue.py, run as a process on small OpenNGC-style files."""

import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parents[2]
TOOL = REPO_ROOT / "tools" / "make_catalogue.py"
SHIPPED = REPO_ROOT / "data" / "m_ngc_ic.txt"
SHARED_SOURCE = REPO_ROOT.parent / "shared" / "data" / "openngc"

HEADER = "Name;Type;RA;Dec;Const;MajAx;M;NGC;IC;Common names;Sources"


def row(name, kind="G", ra="01:02:03.45", dec="+04:05:06.7", const="Psc", m="", ngc="", ic="", common=""):
    return f"{name};{kind};{ra};{dec};{const};1.00;{m};{ngc};{ic};{common};Type:1"


class GeneratorRun(unittest.TestCase):
    """Writes fixture files into a temporary folder and runs the tool on them."""

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)
        self.output = self.folder / "out" / "m_ngc_ic.txt"

    def write_source(self, ngc_rows, addendum_rows=(), encoding="utf-8"):
        for file_name, rows in (("NGC.csv", ngc_rows), ("addendum.csv", addendum_rows)):
            text = "\n".join([HEADER, *rows]) + "\n"
            (self.folder / file_name).write_bytes(text.encode(encoding))

    def run_tool(self, *extra, environment=None):
        command = [sys.executable, str(TOOL), "--source", str(self.folder), "--output", str(self.output), *extra]
        return subprocess.run(command, capture_output=True, text=True, env=environment)

    def generate(self, ngc_rows, addendum_rows=()):
        """Run on a cut-down source and return the catalogue's lines as text, without CR LF."""
        self.write_source(ngc_rows, addendum_rows)
        result = self.run_tool("--partial")
        self.assertEqual(result.returncode, 0, result.stderr)
        return self.output.read_bytes().decode("cp1252").split("\r\n")

    def lines_for(self, lines, designation):
        return [line for line in lines if line.startswith(designation + "|")]


class LayoutTest(GeneratorRun):
    def test_whole_file_of_a_small_source(self):
        self.write_source(
            [
                row("IC0434", "HII", "05:41:00.88", "-02:27:13.6", "Ori", common="Flame Nebula,Orion B"),
                row("NGC0007", "G", "00:08:20.96", "-29:54:54.0", "Scl"),
                row("NGC1952", "SNR", "05:34:31.97", "+22:00:52.1", "Tau", m="001", common="Crab Nebula"),
                row("NGC0224", "G", "00:42:44.35", "+41:16:08.6", "And", m="031", common="Andromeda Galaxy"),
            ],
            [
                row("Mel022", "OCl", "03:47:28.6", "+24:06:19", "Tau", m="045", common="Pleiades"),
                row("M040", "**", "12:22:16.1", "+58:05:04", "UMa", m="040"),
                row("ESO056-115", "G", "05:23:34.5", "-69:45:22", "Dor", common="Large Magellanic Cloud"),
            ],
        )
        result = self.run_tool("--partial")
        self.assertEqual(result.returncode, 0, result.stderr)
        expected = (
            "M 1|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula (NGC 1952)\r\n"
            "M 31|00|42|44.35|+|41|16|08.6|G And Andromeda Galaxy (NGC 224)\r\n"
            "M 40|12|22|16.1|+|58|05|04|** UMa\r\n"
            "M 45|03|47|28.6|+|24|06|19|OCl Tau Pleiades (Mel 22)\r\n"
            "N 7|00|08|20.96|-|29|54|54.0|G Scl\r\n"
            "N 224|00|42|44.35|+|41|16|08.6|G And Andromeda Galaxy\r\n"
            "N 1952|05|34|31.97|+|22|00|52.1|SNR Tau Crab Nebula\r\n"
            "I 434|05|41|00.88|-|02|27|13.6|HII Ori Flame Nebula, Orion B\r\n"
            "END\r\n"
        )
        self.assertEqual(self.output.read_bytes(), expected.encode("ascii"))
        self.assertIn("4 M, 3 NGC, 1 IC, 9 lines", result.stdout)

    def test_tail_is_windows_1252(self):
        lines = self.generate([row("NGC0001", common="Nébuleuse du Crabe")])
        self.assertIn(b"N 1|01|02|03.45|+|04|05|06.7|G Psc N\xe9buleuse du Crabe\r\n", self.output.read_bytes())
        self.assertEqual(lines[-2:], ["END", ""])

    def test_same_source_gives_same_bytes_whatever_the_hash_seed(self):
        self.write_source(
            [row(f"NGC{n:04d}", ra=f"0{n % 10}:00:00.00") for n in range(1, 60)]
            + [row("IC0001", "Dup", ngc="0003"), row("IC0002", "Dup", ngc="0005"), row("IC0003", "Dup", ic="0001")],
            [row("M040", "**", m="040")],
        )
        outputs = set()
        for seed in ("1", "2", "3"):
            result = self.run_tool("--partial", environment={**os.environ, "PYTHONHASHSEED": seed})
            self.assertEqual(result.returncode, 0, result.stderr)
            outputs.add(self.output.read_bytes())
        self.assertEqual(len(outputs), 1)


class SelectionTest(GeneratorRun):
    """Which source rows give which lines, and with whose position."""

    MASTER = row("NGC0100", "G", "10:20:30.40", "+50:40:30.2", "UMa", common="Test Galaxy")
    MASTER_FIELDS = "10|20|30.40|+|50|40|30.2|"

    def test_rules(self):
        cases = [
            ("dup via NGC column takes the master's position",
             [self.MASTER, row("IC0200", "Dup", "10:20:30.00", "+50:40:30", ngc="0100")],
             {"I 200": self.MASTER_FIELDS + "G UMa Test Galaxy (dup of NGC 100)"}),
            ("dup via IC column",
             [row("IC0007", "OCl", "02:00:00.0", "-10:00:00"), row("NGC0300", "Dup", ic="0007")],
             {"N 300": "02|00|00.0|-|10|00|00|OCl Psc (dup of IC 7)"}),
            ("chain of dups ends at the real object",
             [self.MASTER, row("IC0200", "Dup", ic="0201"), row("IC0201", "Dup", ngc="0100")],
             {"I 200": self.MASTER_FIELDS + "G UMa Test Galaxy (dup of NGC 100)"}),
            ("dups naming each other and the master",
             [self.MASTER, row("IC0200", "Dup", ngc="0100", ic="0201"), row("IC0201", "Dup", ngc="0100", ic="0200")],
             {"I 200": self.MASTER_FIELDS + "G UMa Test Galaxy (dup of NGC 100)",
              "I 201": self.MASTER_FIELDS + "G UMa Test Galaxy (dup of NGC 100)"}),
            ("dup of a lettered component keeps its own number",
             [row("NGC0085B", "G", "00:21:29.0", "+22:30:21", "And"), row("IC1546", "Dup", ngc="0085B")],
             {"I 1546": "00|21|29.0|+|22|30|21|G And (dup of NGC 85B)", "N 85": None}),
            ("nonexistent object left out, even with a position",
             [row("NGC0412", "NonEx")], {"N 412": None}),
            ("object without a position left out",
             [row("IC1064", "G", "", "")], {"I 1064": None}),
            ("lettered and NED components left out",
             [row("NGC5194A"), row("IC0010NW"), row("NGC0035 NED01")],
             {"N 5194": None, "I 10": None, "N 35": None}),
            ("same object twice at the same position gives one line",
             [self.MASTER, self.MASTER], {"N 100": self.MASTER_FIELDS + "G UMa Test Galaxy"}),
            ("M 102 is NGC 5866, not the source's duplicate of M 101",
             [row("NGC5457", "G", "14:03:12.54", "+54:20:56.2", m="101"),
              row("NGC5866", "G", "15:06:29.50", "+55:45:47.6", "Dra")],
             {"M 102": "15|06|29.50|+|55|45|47.6|G Dra (NGC 5866)",
              "M 101": "14|03|12.54|+|54|20|56.2|G Psc (NGC 5457)"}),
        ]
        addendum = [row("M102", "Dup", "14:03:12.54", "+54:20:56.2", "UMa", m="101")]
        for description, ngc_rows, expected in cases:
            with self.subTest(description):
                lines = self.generate(ngc_rows, addendum)
                for designation, rest in expected.items():
                    wanted = [] if rest is None else [f"{designation}|{rest}"]
                    self.assertEqual(self.lines_for(lines, designation), wanted)


class RejectionTest(GeneratorRun):
    """Input the tool does not understand stops it, names the entry, and leaves the old output alone."""

    def test_rejected_sources(self):
        good = row("NGC0001")
        cases = [
            ("RA without seconds", [row("NGC0002", ra="01:02")], [], "NGC0002"),
            ("declination without sign", [row("NGC0002", dec="04:05:06.7")], [], "NGC0002"),
            ("minutes out of range", [row("NGC0002", ra="01:60:00.0")], [], "NGC0002"),
            ("beyond the pole", [row("NGC0002", dec="+90:00:01")], [], "NGC0002"),
            ("declination over 90", [row("NGC0002", dec="-91:00:00")], [], "NGC0002"),
            ("RA without declination", [row("NGC0002", dec="")], [], "NGC0002"),
            ("same number at another position", [good], [row("NGC0001", ra="01:02:03.46")], "N 1"),
            ("two objects claim one Messier number",
             [row("NGC0002", m="013"), row("NGC0003", ra="02:00:00.00", m="013")], [], "M 13"),
            ("dup of an object the source lacks", [row("IC0001", "Dup", ngc="0009")], [], "IC0001"),
            ("dups naming only each other",
             [row("IC0001", "Dup", ic="0002"), row("IC0002", "Dup", ic="0001")], [], "IC0001"),
            ("dup of a nonexistent object", [row("NGC0002", "NonEx"), row("IC0001", "Dup", ngc="0002")], [], "IC0001"),
            ("dup of objects at different positions",
             [good, row("NGC0002", ra="05:00:00.00"), row("IC0001", "Dup", ngc="0001,0002")], [], "IC0001"),
            ("unknown type", [row("NGC0002", "Galaxy")], [], "NGC0002"),
            ("number beyond the catalogue", [row("NGC7841")], [], "NGC7841"),
            ("name without a Windows-1252 form", [row("NGC0002", common="Ω Nebula")], [], "N 2"),
            ("bar in a name", [row("NGC0002", common="A|B")], [], "N 2"),
            ("short row", [good, "NGC0002;G;01:02:03.45"], [], "NGC.csv:3"),
        ]
        for description, ngc_rows, addendum_rows, named in cases:
            with self.subTest(description):
                self.output.parent.mkdir(exist_ok=True)
                self.output.write_bytes(b"previous\r\n")
                self.write_source(ngc_rows, addendum_rows)
                result = self.run_tool("--partial")
                self.assertEqual(result.returncode, 1)
                self.assertIn(named, result.stderr)
                self.assertEqual(self.output.read_bytes(), b"previous\r\n")

    def test_missing_column_and_missing_file(self):
        (self.folder / "NGC.csv").write_text("Name;Type;RA\nNGC0001;G;01:02:03.45\n")
        result = self.run_tool("--partial")
        self.assertEqual(result.returncode, 1)
        self.assertIn("Dec", result.stderr)
        self.write_source([row("NGC0001")])
        (self.folder / "addendum.csv").unlink()
        result = self.run_tool("--partial")
        self.assertEqual(result.returncode, 1)
        self.assertIn("addendum.csv", result.stderr)
        self.assertFalse(self.output.exists())

    def test_every_messier_object_required_unless_partial(self):
        self.write_source([row(f"NGC{n:04d}", m=f"{n:03d}") for n in range(1, 111) if n not in (40, 102)])
        result = self.run_tool()
        self.assertEqual(result.returncode, 1)
        self.assertIn("Messier 40, 102", result.stderr)
        self.assertFalse(self.output.exists())


@unittest.skipUnless((SHARED_SOURCE / "NGC.csv").is_file(), "OpenNGC source folder not present")
class ShippedCatalogueTest(unittest.TestCase):
    def test_regenerating_gives_the_committed_file(self):
        with tempfile.TemporaryDirectory() as folder:
            output = Path(folder) / "m_ngc_ic.txt"
            command = [sys.executable, str(TOOL), "--source", str(SHARED_SOURCE), "--output", str(output)]
            result = subprocess.run(command, capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertTrue(output.read_bytes() == SHIPPED.read_bytes(),
                            "data/m_ngc_ic.txt differs from a fresh run of tools/make_catalogue.py")


if __name__ == "__main__":
    unittest.main()
