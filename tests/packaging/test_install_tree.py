"""What an installation puts under its prefix, and whether the desktop
entry, the metainfo and the manual pages are valid and agree with it."""

import os
import shutil
import struct
import unittest
import xml.etree.ElementTree as ElementTree

import installed
from installed import APP_ID, ICON_SIZES, path, run, source_path

# Validators are optional on a developer's machine, required where set.
REQUIRE_VALIDATORS = os.environ.get("CELESTRIX_REQUIRE_VALIDATORS") == "1"


def png_size(file_name):
    with open(file_name, "rb") as f:
        header = f.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", header[16:24])


def read_bytes(file_name):
    with open(file_name, "rb") as f:
        return f.read()


class InstalledFiles(unittest.TestCase):
    def test_each_file_is_where_it_belongs(self):
        copies = [
            (("share", "celestrix", "m_ngc_ic.txt"), ("data", "m_ngc_ic.txt")),
            (("share", "applications", APP_ID + ".desktop"), ("packaging", APP_ID + ".desktop")),
            (("share", "metainfo", APP_ID + ".metainfo.xml"), ("packaging", APP_ID + ".metainfo.xml")),
            (("share", "man", "man1", "celestrix.1"), ("packaging", "celestrix.1")),
            (("share", "doc", "celestrix", "LICENSE-OpenNGC.txt"), ("data", "LICENSE-OpenNGC.txt")),
            (("share", "doc", "celestrix", "README.catalogue.md"), ("data", "README.md")),
        ] + [
            (("share", "celestrix", "languages", language, "language.txt"),
             ("data", "languages", language, "language.txt"))
            for language in ("de", "fr", "es")
        ]
        for installed_parts, source_parts in copies:
            with self.subTest(os.path.join(*installed_parts)):
                self.assertEqual(read_bytes(path(*installed_parts)), read_bytes(source_path(*source_parts)))

    def test_the_program_and_its_launcher_are_executable_side_by_side(self):
        for name in ("celestrix", "celestrix-launcher"):
            with self.subTest(name):
                self.assertTrue(os.access(path("bin", name), os.X_OK))

    def test_each_icon_has_the_size_of_its_folder(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                icon = path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps", APP_ID + ".png")
                self.assertEqual(png_size(icon), (size, size))
                self.assertEqual(read_bytes(icon), read_bytes(source_path("resources", "icons",
                                                                         "celestrix-%d.png" % size)))


class DesktopIntegration(unittest.TestCase):
    def validator(self, tool):
        if shutil.which(tool) is None:
            if REQUIRE_VALIDATORS:
                self.fail(tool + " is not installed")
            self.skipTest(tool + " is not installed")

    def test_the_desktop_entry_is_valid(self):
        self.validator("desktop-file-validate")
        result = run("desktop-file-validate", installed.desktop_file())
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))

    def test_the_metainfo_is_valid(self):
        self.validator("appstreamcli")
        result = run("appstreamcli", "validate", "--no-net", installed.metainfo_file())
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_the_desktop_entry_names_the_launcher_and_icon_installed(self):
        entry = installed.desktop_entry()
        for key in ("Exec", "TryExec"):
            with self.subTest(key):
                command = entry[key].split()[0]
                self.assertEqual(command, "celestrix-launcher")
                self.assertTrue(os.access(path("bin", command), os.X_OK))
        for size in ICON_SIZES:
            with self.subTest(size=size):
                self.assertTrue(os.path.isfile(path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                                                    entry["Icon"] + ".png")))

    def test_the_metainfo_names_the_desktop_entry(self):
        component = ElementTree.parse(installed.metainfo_file()).getroot()
        self.assertEqual(component.findtext("id"), APP_ID)
        self.assertEqual(component.findtext("launchable[@type='desktop-id']"),
                         os.path.basename(installed.desktop_file()))


@unittest.skipUnless(shutil.which("man"), "needs man")
class ManualPages(unittest.TestCase):
    def test_each_command_has_a_page_that_renders_without_warnings(self):
        for command in ("celestrix", "celestrix-launcher"):
            with self.subTest(command):
                result = run("man", "--warnings", "-M", path("share", "man"), "1", command,
                             env=dict(os.environ, MANWIDTH="80", MAN_DISABLE_SECCOMP="1"))
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stderr, "")
                self.assertIn("celestrix-launcher", result.stdout)
                self.assertIn("XDG_DATA_HOME", result.stdout)


if __name__ == "__main__":
    unittest.main()
