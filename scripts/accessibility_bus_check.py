#!/usr/bin/env python3
"""The window heard as a screen reader hears it, over the AT-SPI bus of the running session.

Starts the program on a folder of its own, drives it by keys (xdotool), and listens on the bus:
every control that takes the focus has a name; "Rename!" and a tab have their keys as bindings; the
folder tree nests its folders, open ones expanded; ticking an entry is said; Tab reaches the
outcome preview and the arrows read it row by row; "Rename!" and Undo say their result on the
status line; Tab in the guide says the link it selects. Takes the program's path. Exits 0 when all was heard,
1 with what was missing; says why and exits 0 where python3-pyatspi or xdotool is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("AT-SPI check skipped: python3-pyatspi is missing (scripts/install-deps.sh)")
    sys.exit(0)
if shutil.which("xdotool") is None:
    print("AT-SPI check skipped: xdotool is missing (scripts/install-deps.sh)")
    sys.exit(0)

heard = []  # (event type, role, name, detail1) as they came
failures = []


def on_event(event):
    try:
        heard.append((event.type, event.source.getRoleName(), event.source.name, event.detail1))
    except Exception:  # the source went away before it was asked
        pass


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, test, seconds=5):
    end = time.time() + seconds
    while time.time() < end:
        pump(0.05)
        found = test()
        if found:
            return found
    failures.append("not heard: %s; heard: %r" % (what, heard[-6:]))
    return None


def key(*keys):
    heard.clear()
    subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)


def said(kind, role=None, name=None, detail1=None):
    return [h for h in heard if h[0].startswith(kind) and (role is None or h[1] == role)
            and (name is None or name(h[2])) and (detail1 is None or h[3] == detail1)]


def focus_on(role, name=None):
    return said("object:state-changed:focused", role, name, 1)


def find(root, role, name=None):
    return pyatspi.findDescendant(
        root, lambda o: o.getRoleName() == role and (name is None or o.name == name)
        and o.getState().contains(pyatspi.STATE_SHOWING))


def nameless(root):
    """Every showing control that takes the focus and says nothing of what it is."""
    found = []
    for child in root:
        if child is None:
            continue
        state = child.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            continue
        if state.contains(pyatspi.STATE_FOCUSABLE) and not child.name.strip():
            found.append(child.getRoleName() + " under " + root.getRoleName() + " '" + root.name + "'")
        found += nameless(child)
    return found


def check_names(app, when):
    controls = nameless(app)
    failures.extend("no name %s: %s" % (when, control) for control in controls)


def main():
    program = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp()
    top = os.path.join(home, "top")
    for entry in ("a b", "c d"):
        os.makedirs(os.path.join(top, entry))
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
               XDG_STATE_HOME=home + "/state", QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    for kind in ("object:state-changed:checked", "object:state-changed:focused",
                 "object:property-change:accessible-name", "object:text-selection-changed"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    window = subprocess.Popen([program, "--window", top], env=env)
    try:
        app = wait_for("the program on the bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name.startswith("kestro")
             and find(a, "frame", "Kestrovane")), None), 20)
        if app is None:
            return
        subprocess.run(["xdotool", "search", "--sync", "--name", "^Kestrovane$", "windowactivate",
                        "--sync"], check=False, capture_output=True)
        pump(0.5)
        # Every page of both tab strips, each shown by its key.
        for keys in ("alt+t", "alt+l", "alt+c", "alt+x", "alt+n", "alt+f", "alt+e", "alt+d"):
            key(keys)
            pump(0.3)
            check_names(app, "after " + keys)
        for role, name, keys in (("push button", "Rename!", "alt+r"), ("page tab", "Replace", "alt+l")):
            control = find(app, role, name)
            binding = control.queryAction().getKeyBinding(0) if control else ""
            if binding.lower() != keys:
                failures.append("%s's key binding read as %r" % (name, binding))
        # The folder tree: each folder down to the open one expanded, its sub-directories below it.
        entry = find(app, "tree", "Folder whose sub-directories to rename")
        levels = []
        while entry is not None and entry.childCount > 0:
            entry = entry.getChildAtIndex(0)
            levels.append((entry.name, entry.getState().contains(pyatspi.STATE_EXPANDED)))
            if entry.name == "top":
                levels += [(sub.name, sub.getState().contains(pyatspi.STATE_EXPANDED)) for sub in entry]
                break
        if not levels or not all(expanded for _, expanded in levels[:-2]) or levels[-3:] != [
                ("top", True), ("a b", False), ("c d", False)]:
            failures.append("the folder tree read as %r" % levels)

        # Tick the entries: Shift+Tab from "Select All" reaches the list.
        find(app, "push button", "Select All").queryComponent().grabFocus()
        key("shift+Tab")
        wait_for("Shift+Tab to the list", lambda: focus_on("list", lambda n: n == "Sub-directories"))
        wait_for("the list's entry said on Shift+Tab", lambda: focus_on("list item"))
        key("space")
        wait_for("Space ticking an entry", lambda: said("object:state-changed:checked", "list item",
                                                       None, 1))
        key("ctrl+a")
        entries = find(app, "list", "Sub-directories")
        wait_for("Ctrl+A ticking both entries", lambda: all(
            entry.getState().contains(pyatspi.STATE_CHECKED) for entry in entries))

        # Replace blanks by underscores: Alt+L, then Tab to the two fields.
        key("alt+l", "Tab", "space", "Tab", "underscore")
        wait_for("Tab to A: and B:", lambda: focus_on("text", lambda n: n == "A:")
                 and focus_on("text", lambda n: n == "B:"))

        # The preview, reached by Tab from its switch, read by the arrows row by row.
        key("alt+p")
        pump(0.5)
        check_names(app, "with the preview shown")
        find(app, "check box", "Preview").queryComponent().grabFocus()
        key("Tab")
        preview = wait_for("Tab to the preview", lambda: focus_on("tree", lambda n: "Rename!" in n))
        rows = []
        for keys in ([], ["Down"], ["Up"]):
            if keys:
                key(*keys)
            cell = wait_for("a preview row", lambda: focus_on("table cell"))
            if cell:
                rows.append(cell[-1][2])
        if preview and rows != ["a b", "c d", "a b"]:
            failures.append("preview rows read as %r" % rows)
        table = find(app, "tree", preview[-1][2]) if preview else None
        if table is not None:
            cells = table.queryTable()
            read = [[cells.getAccessibleAt(r, c).name for c in range(2)] for r in range(cells.nRows)]
            if read != [["a b", "a_b"], ["c d", "c_d"]]:
                failures.append("preview table holds %r" % read)

        for keys, result, names in (("alt+r", "Renamed 2 of 2 entries.", ["a_b", "c_d"]),
                                    ("alt+u", "Undo: 2 of 2 entries", ["a b", "c d"])):
            key(keys)
            wait_for("%s said on the status line as '%s...'" % (keys, result), lambda: said(
                "object:property-change:accessible-name", "status bar",
                lambda n: n.startswith(result)))
            if sorted(os.listdir(top)) != names:
                failures.append("after %s the folder holds %r" % (keys, sorted(os.listdir(top))))

        # The guide: Tab selects its first link, and the selection is said.
        key("F1")
        wait_for("the guide's text focused", lambda: focus_on(None, lambda n: n == "User Guide"))
        check_names(app, "in the guide")
        key("Tab")
        if wait_for("Tab to a link of the guide", lambda: said(
                "object:text-selection-changed", None, lambda n: n == "User Guide")):
            guide = find(find(app, "frame", "Kestrovane - User Guide"), "label", "User Guide")
            text = guide.queryText()
            start, end = text.getSelection(0)
            if not text.getText(start, end).strip():
                failures.append("the guide's selected link has no text")
        key("Escape")
        pump(0.3)
    finally:
        window.terminate()
        window.wait(10)
        shutil.rmtree(home, ignore_errors=True)


main()
for failure in failures:
    print("AT-SPI check:", failure)
print("AT-SPI check:", "failed" if failures else "every announcement heard")
sys.exit(1 if failures else 0)
