#!/usr/bin/env python3
"""Runs the command-line examples of the user guide against the built program.

Every <figure class="run"> in the guide holds a command (<pre class="cmd">), the folder before and
after it (<table class="ba">, one row per entry), the exit status it promises (data-status) and,
where it shows them, the error lines it promises (<pre class="out">). Each one is replayed headless
in a fresh temporary folder: the entries of the "Before" column are made (files, or sub-directories
with data-kind="dirs"), the command runs with the folder put in place of its first word, and the
folder must then hold exactly the "After" column, each entry carrying what its "Before" entry
carried. A command that starts or ends with --dry-run must leave the folder as it was, and its
"'OLD' -> 'NEW'" lines are the standard output the guide shows. The settings file must also be
where the guide says. So the guide cannot promise what the program does not do.

The man page's examples are run too, each on a folder holding one entry it selects: each must be
a right command line (an --undo example takes back a batch run just before it).

Usage: check_guide_examples.py <kestro> <manual.htm> [<kestro.1>]
"""

import configparser
import os
import shlex
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import guide_tree  # noqa: E402

PROGRAM = None
GUIDE = None
MAN_PAGE = None
MARKER = "origin.txt"  # inside each made sub-directory: which "Before" entry it was


def jpeg_taken_at(when):
    """A JPEG of one Exif segment whose DateTimeOriginal is `when` ("YYYY:MM:DD HH:MM:SS")."""
    text = when.encode("ascii") + b"\0"
    ifd0 = struct.pack("<HHHII", 1, 0x8769, 4, 1, 26) + struct.pack("<I", 0)
    exif = struct.pack("<HHHII", 1, 0x9003, 2, len(text), 26 + 2 + 12 + 4) + struct.pack("<I", 0)
    tiff = b"II*\0" + struct.pack("<I", 8) + ifd0 + exif + text
    return b"\xff\xd8\xff\xe1" + struct.pack(">H", 2 + 6 + len(tiff)) + b"Exif\0\0" + tiff + b"\xff\xd9"


def headless_env(config_home):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_CONFIG_HOME"] = str(config_home)
    # The journal of each batch goes beside the settings, not into the home of whoever runs this.
    env["XDG_STATE_HOME"] = str(Path(config_home).parent / "state")
    return env


class Example:
    def __init__(self, figure):
        self.line = figure.line
        self.kind = figure.attrs.get("data-kind", "files")
        self.status = int(figure.attrs["data-status"])
        commands = figure.find_all("pre", "cmd")
        if len(commands) != 1:
            raise ValueError(f"line {figure.line}: a run example holds one command")
        self.command = commands[0].text().strip()
        self.rows = []
        for table in figure.find_all("table", "ba"):
            for row in table.find_all("tr"):
                cells = row.find_all("td")
                if cells:
                    self.rows.append((cells[0].text(), cells[1].text()))
        shown = [line for out in figure.find_all("pre", "out")
                 for line in out.text().splitlines() if line]
        self.error_lines = [line for line in shown if line.startswith("kestro: ")]
        self.output_lines = [line for line in shown if not line.startswith("kestro: ")]


def examples():
    tree = guide_tree.parse(Path(GUIDE).read_text(encoding="utf-8"))
    return [Example(f) for f in tree.find_all("figure", "run")]


class GuideExamplesTest(unittest.TestCase):
    def test_the_guide_has_examples_for_every_switch(self):
        switches = set()
        for example in examples():
            switches.update(w.upper() for w in shlex.split(example.command) if w.startswith("-"))
        for switch in ("-D", "-F", "-SL", "-SR", "-NOEXT", "-R", "-C", "-L", "-NA", "-ND", "-S"):
            self.assertIn(switch, switches, f"no checked example uses {switch}")

    def test_every_example_does_what_the_guide_says(self):
        for example in examples():
            with self.subTest(line=example.line, command=example.command):
                self.check(example)

    def test_settings_file_is_where_the_guide_says(self):
        tree = guide_tree.parse(Path(GUIDE).read_text(encoding="utf-8"))
        named = [dt.text() for dt in tree.find_all("dt")
                 if dt.text().startswith("$XDG_CONFIG_HOME/")]
        self.assertEqual(len(named), 1)
        relative = named[0][len("$XDG_CONFIG_HOME/"):]
        with tempfile.TemporaryDirectory(prefix="kestro-guide-") as scratch:
            folder, config = Path(scratch, "Photos"), Path(scratch, "config")
            folder.mkdir()
            config.mkdir()
            # A mask that selects nothing: a right command line that renames nothing.
            result = subprocess.run([PROGRAM, str(folder), "-F", "*.none", "-C", "lower"],
                                    env=headless_env(config), stdin=subprocess.DEVNULL,
                                    capture_output=True, text=True, timeout=60)
            self.assertEqual(result.returncode, 0, result.stderr)
            written = sorted(str(p.relative_to(config)) for p in config.rglob("*") if p.is_file())
            self.assertEqual(written, [relative])
            settings = configparser.ConfigParser(interpolation=None)
            settings.optionxform = str
            settings.read(config / relative, encoding="utf-8")
            self.assertEqual(settings["Kestrovane"]["LastDir"], str(folder))

    def test_man_page_examples_are_right_command_lines(self):
        if not MAN_PAGE:
            self.skipTest("no man page given")
        # Each example runs on a folder holding one entry it selects, so its switch is read: a
        # right command line ends with status 0 and a message-free standard error.
        source = Path(MAN_PAGE).read_text(encoding="utf-8").replace("\\-", "-")
        source = source.replace("\\(aq", "'")
        commands, in_display = [], False
        for line in source.splitlines():
            if line in (".nf", ".fi"):
                in_display = line == ".nf"
            elif in_display:
                commands.append(line)
        self.assertGreaterEqual(len(commands), 5)
        for command in commands:
            with self.subTest(command=command):
                words = shlex.split(command.split(" 2>")[0])
                words = words[words.index("kestro") + 1:]
                if words[0] == "--undo":
                    self.check_man_undo_example(words)
                    continue
                options = words[:1] if words[0] == "--dry-run" else []
                words = words[len(options):]
                dry_run = bool(options) or words[-1] == "--dry-run"
                with tempfile.TemporaryDirectory(prefix="kestro-man-") as scratch:
                    folder, config = Path(scratch, "work"), Path(scratch, "config")
                    folder.mkdir()
                    config.mkdir()
                    if words[1].upper() == "-D":
                        sample = "Sample folder"
                        (folder / sample).mkdir()
                    else:
                        mask = words[2].split(";")[0]
                        sample = "Sample File" + mask.replace("*", "").replace("?", "x")
                        if "TAKEN" in command.upper() or "-NAT" in words or "-NDT" in words:
                            (folder / sample).write_bytes(jpeg_taken_at("2024:05:01 09:08:07"))
                        else:
                            (folder / sample).write_text("x", encoding="utf-8")
                    result = subprocess.run([PROGRAM, *options, str(folder), *words[1:]],
                                            env=headless_env(config), stdin=subprocess.DEVNULL,
                                            capture_output=True, text=True, timeout=60)
                    self.assertEqual((result.returncode, result.stderr), (0, ""))
                    self.assertEqual(len(os.listdir(folder)), 1)
                    if dry_run:
                        self.assertEqual(os.listdir(folder), [sample])

    def check_man_undo_example(self, words):
        # An undo example takes back a batch run just before it on a folder of one file.
        with tempfile.TemporaryDirectory(prefix="kestro-man-") as scratch:
            folder, config = Path(scratch, "work"), Path(scratch, "config")
            folder.mkdir()
            config.mkdir()
            (folder / "Sample File.txt").write_text("x", encoding="utf-8")
            env = headless_env(config)
            batch = subprocess.run([PROGRAM, str(folder), "-F", "*.txt", "-C", "lower"], env=env,
                                   stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
            self.assertEqual((batch.returncode, os.listdir(folder)), (0, ["sample file.txt"]))
            result = subprocess.run([PROGRAM, *words], env=env, stdin=subprocess.DEVNULL,
                                    capture_output=True, text=True, timeout=60)
            dry_run = "--dry-run" in words
            # The batch is named first, on standard error; a dry run prints its folder first.
            said = ("kestro: would take back " if dry_run else "kestro: taking back ") + \
                f"1 entry in '{folder}', renamed "
            self.assertEqual(result.returncode, 0)
            self.assertTrue(result.stderr.startswith(said), result.stderr)
            self.assertTrue(result.stderr.endswith(" from the command line\n"), result.stderr)
            self.assertEqual(os.listdir(folder),
                             ["sample file.txt" if dry_run else "Sample File.txt"])
            self.assertEqual(result.stdout.splitlines(),
                             [f"'{folder}':", "'sample file.txt' -> 'Sample File.txt'"]
                             if dry_run else [])

    def check(self, example):
        words = shlex.split(example.command)
        self.assertEqual(words[0], "kestro")
        with tempfile.TemporaryDirectory(prefix="kestro-guide-") as scratch:
            scratch = Path(scratch)
            args = words[1:]
            dry_run_first = args[0] == "--dry-run"
            dry_run = dry_run_first or args[-1] == "--dry-run"  # it may also stand last
            folder = None
            if example.kind != "none":
                folder = scratch / "work"
                folder.mkdir()
                self.make_entries(folder, example)
                args[1 if dry_run_first else 0] = str(folder)
            config = scratch / "config"
            config.mkdir()
            result = subprocess.run([PROGRAM, *args], cwd=scratch, env=headless_env(config),
                                    stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                    timeout=60)
            stderr = result.stderr
            if folder is not None:
                stderr = stderr.replace(str(folder), words[2 if dry_run_first else 1])
            if dry_run:
                self.assertEqual(result.stdout.splitlines(), example.output_lines)
                self.assertEqual([b for b, _ in example.rows], [a for _, a in example.rows],
                                 "a dry run changes no name")
                self.assertEqual(list(config.iterdir()) + list(scratch.glob("state")), [],
                                 "a dry run stores no setting and writes no journal")
            self.assertEqual(result.returncode, example.status, stderr)
            if example.status == 0:
                self.assertEqual(stderr, "")
            if example.status == 2:
                self.assertIn("KESTRO <path> <mode> <options>", result.stdout)
            reported = [line for line in stderr.splitlines() if line.startswith("kestro: ")]
            if example.error_lines:
                self.assertEqual(reported, example.error_lines)
            elif example.status == 1:
                self.assertNotEqual(stderr.strip(), "", "status 1 without a reason on stderr")
            if folder is not None:
                self.assertEqual(sorted(os.listdir(folder)), sorted(a for _, a in example.rows))
                for before, after in example.rows:
                    self.assertEqual(self.origin(folder / after, example), before,
                                     f"{after!r} is not what {before!r} was")

    @staticmethod
    def make_entries(folder, example):
        for before, _ in example.rows:
            if example.kind == "dirs":
                (folder / before).mkdir()
                (folder / before / MARKER).write_text(before, encoding="utf-8")
            else:
                (folder / before).write_text(before, encoding="utf-8")

    @staticmethod
    def origin(path, example):
        if example.kind == "dirs":
            return (path / MARKER).read_text(encoding="utf-8")
        return path.read_text(encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    PROGRAM, GUIDE = sys.argv[1], sys.argv[2]
    MAN_PAGE = sys.argv[3] if len(sys.argv) == 4 else None
    if not Path(PROGRAM).exists():
        sys.exit(f"{PROGRAM} is not built: build the whole project before running ctest")
    unittest.main(argv=sys.argv[:1], verbosity=2)
