#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks every installed file.

The program must run headless from the prefix and print its help; the menu entry must start it
with its icon; the icons must be pictures; the guide and man page must be the ones in docs/.

Usage: check_install.py --cmake <cmake> --build <build folder>
"""

import argparse
import configparser
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
ARGS = None
PREFIX = None
SVG_NS = "{http://www.w3.org/2000/svg}"


def headless_env(config_home):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_CONFIG_HOME"] = str(config_home)
    env["XDG_STATE_HOME"] = str(Path(config_home, "state"))
    return env


def setUpModule():
    global PREFIX
    build = Path(ARGS.build)
    PREFIX = Path(tempfile.mkdtemp(prefix="kestro-install-"))
    result = subprocess.run([ARGS.cmake, "--install", str(build), "--prefix", str(PREFIX)],
                            capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise RuntimeError(f"cmake --install failed:\n{result.stdout}\n{result.stderr}")


def tearDownModule():
    if PREFIX is not None:
        shutil.rmtree(PREFIX, ignore_errors=True)


class InstalledFilesTest(unittest.TestCase):
    def test_program_runs_headless_and_prints_its_help(self):
        program = PREFIX / "bin" / "kestro"
        self.assertTrue(os.access(program, os.X_OK), "bin/kestro is missing")
        with tempfile.TemporaryDirectory() as config:
            result = subprocess.run([str(program), "--help"], env=headless_env(config),
                                    stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                    timeout=60)
            self.assertEqual(result.returncode, 2, result.stderr)
            for text in ("KESTRO <path> <mode> <options>", "-F <filemask>",
                         "-SR <x> [-noext]", "-R <replace what> <replace with>",
                         "-C <upper/lower/sentence>", "-NA [-L [<length>] ] [-S <x> ]",
                         "-ND [-L [<length>] ] [-S <x> ]"):
                self.assertIn(text, result.stdout)
            # A help request names no folder and shows no splash: nothing to store.
            # Without a display the window toolkit is not even loaded.
            if shutil.which("ldd"):
                libraries = subprocess.run(["ldd", str(program)], capture_output=True,
                                           text=True, timeout=60).stdout
                self.assertNotIn("libQt6", libraries)
            for stored in Path(config).rglob("*"):
                if stored.is_file():
                    content = stored.read_text(encoding="utf-8", errors="replace")
                    self.assertNotIn("Splash", content, stored)
                    self.assertNotIn("LastDir", content, stored)

    def test_window_program_is_private_and_kestro_finds_it(self):
        # No user starts kestro-window by hand: it is not on PATH, but in the package's own folder.
        private = PREFIX / "libexec" / "kestrovane" / "kestro-window"
        self.assertTrue(os.access(private, os.X_OK), "libexec/kestrovane/kestro-window is missing")
        self.assertEqual(sorted(p.name for p in (PREFIX / "bin").iterdir()), ["kestro"])
        # With a display kestro hands its arguments to the window program it finds there. A
        # stand-in records them, in a copy of the install, so no window opens.
        with tempfile.TemporaryDirectory() as copy:
            shutil.copytree(PREFIX, copy, dirs_exist_ok=True)
            record = Path(copy, "called")
            stand_in = Path(copy, "libexec", "kestrovane", "kestro-window")
            stand_in.write_text(f'#!/bin/sh\nprintf "%s\\n" "$0" "$@" > "{record}"\n')
            env = headless_env(copy)
            env["DISPLAY"] = ":kestro-test"
            result = subprocess.run([str(Path(copy, "bin", "kestro")), "--window", copy],
                                    env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                    text=True, timeout=60)
            self.assertEqual(result.returncode, 0, result.stderr)
            called = record.read_text().splitlines()
            self.assertEqual(Path(called[0]).resolve(), stand_in.resolve())
            self.assertEqual(called[1:], ["--window", copy])

    def test_package_documents_and_metainfo(self):
        doc = PREFIX / "share" / "doc" / "kestrovane"
        changelog = gzip.decompress((doc / "changelog.gz").read_bytes()).decode()
        self.assertTrue(changelog.startswith("kestrovane ("), changelog[:80])
        copyright_text = (doc / "copyright").read_text()
        self.assertTrue(copyright_text.startswith("Format: https://www.debian.org/doc/"))
        metainfo = PREFIX / "share" / "metainfo" / "org.vintrellos.kestrovane.metainfo.xml"
        root = ET.parse(metainfo).getroot()
        self.assertEqual(root.findtext("launchable"), "kestrovane.desktop")
        self.assertTrue((PREFIX / "share" / "applications" / root.findtext("launchable")).is_file())
        self.assertEqual(root.findtext("provides/binary"), "kestro")
        validator = shutil.which("appstreamcli")
        if validator:
            result = subprocess.run([validator, "validate", "--no-net", "--pedantic",
                                     str(metainfo)], capture_output=True, text=True, timeout=120)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_menu_entry_starts_the_program_with_its_icon(self):
        desktop = PREFIX / "share" / "applications" / "kestrovane.desktop"
        parser = configparser.ConfigParser(interpolation=None, strict=True)
        parser.optionxform = str  # keys are case-sensitive
        parser.read_string(desktop.read_text(encoding="utf-8"))
        entry = parser["Desktop Entry"]
        self.assertEqual(entry["Type"], "Application")
        self.assertEqual(entry["Exec"], "kestro")
        self.assertEqual(entry["Icon"], "kestrovane")
        self.assertEqual(entry["Name"], "Kestrovane")
        self.assertEqual(entry.get("Terminal"), "false")
        self.assertTrue((PREFIX / "bin" / entry["Exec"].split()[0]).is_file())
        validator = shutil.which("desktop-file-validate")
        if validator:
            result = subprocess.run([validator, str(desktop)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            self.assertEqual(result.stdout.strip(), "")

    def test_folder_action_opens_the_window_on_the_folder(self):
        desktop = PREFIX / "share" / "applications" / "kestrovane-folder.desktop"
        parser = configparser.ConfigParser(interpolation=None, strict=True)
        parser.optionxform = str
        parser.read_string(desktop.read_text(encoding="utf-8"))
        entry = parser["Desktop Entry"]
        self.assertEqual(entry["Name"], "Rename with Kestrovane")
        self.assertEqual(entry["Exec"], "kestro --window %f")
        self.assertIn("inode/directory", entry["MimeType"].split(";"))
        validator = shutil.which("desktop-file-validate")
        if validator:
            result = subprocess.run([validator, str(desktop)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_icons_are_pictures(self):
        icons = PREFIX / "share" / "icons" / "hicolor"
        root = ET.parse(icons / "scalable" / "apps" / "kestrovane.svg").getroot()
        self.assertEqual(root.tag, SVG_NS + "svg")
        view = [float(v) for v in root.attrib["viewBox"].split()]
        self.assertEqual(view[2], view[3], "the icon is not square")
        self.assertGreater(len(list(root.iter(SVG_NS + "path"))), 0)
        data = (icons / "256x256" / "apps" / "kestrovane.png").read_bytes()
        self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(data[12:16], b"IHDR")
        self.assertEqual(struct.unpack(">II", data[16:24]), (256, 256))

    def test_guide_is_installed_where_the_program_looks(self):
        guide = PREFIX / "share" / "doc" / "kestrovane" / "manual.htm"
        source = (SOURCE / "docs" / "manual.htm").read_bytes()
        self.assertEqual(guide.read_bytes(), source)
        # The build tree has its own copy beside the executable.
        self.assertEqual((Path(ARGS.build) / "manual.htm").read_bytes(), source)

    def test_man_page_is_installed_and_renders(self):
        man_dir = PREFIX / "share" / "man" / "man1"
        plain, packed = man_dir / "kestro.1", man_dir / "kestro.1.gz"
        if plain.exists():
            page = plain.read_bytes()
        else:
            page = gzip.decompress(packed.read_bytes())
        self.assertEqual(page, (SOURCE / "docs" / "kestro.1").read_bytes())
        if shutil.which("groff"):
            result = subprocess.run(["groff", "-man", "-ww", "-Tutf8"], input=page,
                                    capture_output=True, timeout=60)
            self.assertEqual(result.returncode, 0)
            self.assertEqual(result.stderr, b"")
            self.assertIn(b"kestro", result.stdout)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--build", required=True)
    ARGS = parser.parse_args()
    if not (Path(ARGS.build) / "kestro").exists():
        sys.exit(f"{ARGS.build}/kestro is not built: build the whole project before running ctest")
    unittest.main(argv=sys.argv[:1], verbosity=2)
