#!/usr/bin/env python3
"""Checks the user guide and the man page as documents.

The guide must parse with every tag balanced, reach nothing outside itself (no network, no other
file, no script), keep its in-page links pointing at real anchors, and name every command-line
switch, the exit statuses, the error-line format and the settings file. The man page must name
every switch too, carry its sections, and render through groff without a warning when groff is
installed.

Usage: check_guide.py <manual.htm> <kestro.1>
"""

import re
import shutil
import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import guide_tree  # noqa: E402

SWITCHES = ["-D", "-F", "-SL", "-SR", "-noext", "-R", "-C", "-CE", "-L", "-NA", "-ND", "-S",
            "--dry-run", "--undo", "--window"]
GUIDE = None
MAN = None


def names_switch(text, switch):
    """Whether `switch` stands in `text` as a word of its own ("-S" is not found in "-SL")."""
    return re.search(r"(?<![\w-])" + re.escape(switch) + r"(?![\w-])", text) is not None


def man_plain_text(source):
    """The man page source with its escapes for hyphens, quotes and fonts undone."""
    text = source.replace("\\-", "-").replace("\\(aq", "'").replace("\\(dq", '"')
    return re.sub(r"\\f[BIRP]", "", text)


class GuideTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.source = GUIDE.read_text(encoding="utf-8")
        cls.tree = guide_tree.parse(cls.source)
        cls.text = cls.tree.text()

    def test_is_one_html5_document(self):
        self.assertTrue(self.source.lstrip().lower().startswith("<!doctype html>"))
        for tag in ("html", "head", "body", "title", "main"):
            self.assertEqual(len(self.tree.find_all(tag)), 1, tag)
        charsets = [m for m in self.tree.find_all("meta") if m.attrs.get("charset")]
        self.assertEqual([m.attrs["charset"].lower() for m in charsets], ["utf-8"])

    def test_reaches_nothing_outside_itself(self):
        outside = re.compile(r"\b(?:https?|ftp|file|data|javascript|mailto):(?=\S)|//|<script|<link|"
                             r"<iframe|<object|<embed|<img|\bsrc\s*=|url\(|@import", re.IGNORECASE)
        for number, line in enumerate(self.source.splitlines(), 1):
            found = outside.search(line)
            self.assertIsNone(found, f"line {number} reaches outside the guide: {line.strip()}")
        for element in self.tree.iter():
            for name in element.attrs:
                self.assertFalse(name.startswith("on"),
                                 f"line {element.line}: event handler attribute {name}")

    def test_links_stay_in_the_page_and_reach_an_anchor(self):
        ids = [e.attrs["id"] for e in self.tree.iter() if "id" in e.attrs]
        self.assertEqual(len(ids), len(set(ids)), "an id is used twice")
        links = [e for e in self.tree.iter("a") if "href" in e.attrs]
        self.assertTrue(links, "the guide has a table of contents")
        for link in links:
            href = link.attrs["href"]
            self.assertTrue(href.startswith("#"), f"line {link.line}: link {href!r} leaves the page")
            self.assertIn(href[1:], ids, f"line {link.line}: no anchor {href!r}")

    def test_names_every_switch(self):
        for switch in SWITCHES:
            self.assertTrue(names_switch(self.text, switch), f"the guide never names {switch}")

    def test_every_switch_has_a_command_example(self):
        commands = "\n".join(pre.text() for pre in self.tree.find_all("pre", "cmd"))
        for switch in SWITCHES:
            self.assertTrue(names_switch(commands, switch),
                            f"no command example uses {switch}")
        for line in commands.splitlines():
            if " -F " in line:
                mask = line.split(" -F ", 1)[1].split()[0]
                self.assertTrue(mask.startswith("'") and mask.endswith("'"),
                                f"mask not quoted for the shell: {line}")

    def test_states_exit_statuses_error_line_and_settings(self):
        self.assertIn("kestro: cannot rename 'OLD' to 'NEW': REASON", self.text)
        status_table = [t for t in self.tree.find_all("table")
                        if t.find_all("th") and t.find_all("th")[0].text() == "Status"]
        self.assertEqual(len(status_table), 1)
        first_cells = [row.find_all("td")[0].text() for row in status_table[0].find_all("tr")
                       if row.find_all("td")]
        self.assertEqual(first_cells, ["0", "1", "2"])
        self.assertIn("$XDG_CONFIG_HOME/Vintrellos/Kestrovane.conf", self.text)
        for key in ("LastDir", "Splash", "$NAME", "$DATE1", "$DATE4", "DISPLAY", "WAYLAND_DISPLAY",
                    "$XDG_STATE_HOME/kestrovane/", "'OLD' -> 'NEW'", "kestro: Nothing to undo."):
            self.assertIn(key, self.text)


class ManPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.source = MAN.read_text(encoding="utf-8")
        cls.text = man_plain_text(cls.source)

    def test_has_its_sections(self):
        sections = re.findall(r"^\.SH\s+\"?([^\"\n]+)\"?$", self.source, re.MULTILINE)
        for wanted in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "FILES",
                       "EXAMPLES", "NOTES"):
            self.assertIn(wanted, sections)

    def test_names_every_switch(self):
        for switch in SWITCHES:
            self.assertTrue(names_switch(self.text, switch), f"the man page never names {switch}")
        self.assertIn("kestro: cannot rename 'OLD' to 'NEW': REASON", self.text)
        self.assertIn("$XDG_CONFIG_HOME/Vintrellos/Kestrovane.conf", self.text)
        self.assertIn("$XDG_STATE_HOME/kestrovane/", self.text)

    def test_hyphens_in_switches_are_escaped(self):
        # An unescaped "-" may be typeset as a hyphen that cannot be copied into a shell.
        for number, line in enumerate(self.source.splitlines(), 1):
            if line.startswith(".\\\""):
                continue
            for switch in SWITCHES:
                self.assertIsNone(
                    re.search(r"(?<![\\\w-])" + re.escape(switch) + r"(?![\w-])", line),
                    f"line {number}: {switch} written with a bare hyphen")

    @unittest.skipUnless(shutil.which("groff"), "groff is not installed")
    def test_renders_without_warnings(self):
        result = subprocess.run(["groff", "-man", "-ww", "-z", str(MAN)], capture_output=True,
                                text=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    GUIDE, MAN = Path(sys.argv[1]), Path(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
