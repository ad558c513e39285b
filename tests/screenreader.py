"""Starts the program and reads it through AT-SPI: the grid's name and a section row's title,
the wizard's edit named after the indicator before and after "Далі >", and the grid editor's
name after Enter. Exits 1 with the reason on the first thing not heard as it should be."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

zoris, catalogue = sys.argv[1:3]


def fail(reason):
    now = focused()
    print("focused:", now.getRoleName() if now else None, now.name if now else None)
    print("FAIL:", reason)
    sys.exit(1)


def within(find, what, seconds=30):
    """What find returns once it returns something, waiting for the program."""
    end = time.time() + seconds
    while time.time() < end:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            found = find()
            if found:
                return found
        except Exception:
            pass
        time.sleep(0.2)
    fail("no " + what)


def descendants(node):
    """The tree below node, without a table's cells (they are reached through the table)."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_TABLE:
            yield from descendants(child)


def application():
    return next((app for app in pyatspi.Registry.getDesktop(0) if app and app.name == "zoris"), None)


# What the program last said has the focus, as a screen reader learns it: an in-place editor is
# in no window's tree of children.
focus = {}


def took_focus(event):
    if event.detail1:
        focus["now"] = event.source


pyatspi.Registry.registerEventListener(took_focus, "object:state-changed:focused")


def focused():
    return focus.get("now")


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


def named_focus(name, what):
    within(lambda: focused() is not None and focused().name == name, what)
    return focused()


# The first section's title and the first two indicators: year, title, then six lines each.
lines = open(catalogue, encoding="cp1251").read().splitlines()
title, first, second = lines[1], lines[3], lines[9]

program = subprocess.Popen([zoris], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    table = within(lambda: next((node for node in descendants(application())
                                 if node.getRole() == pyatspi.ROLE_TABLE), None), "table in the main window")
    if table.name != "Показники":
        fail(f"the grid is named {table.name!r}")
    cell = table.queryTable().getAccessibleAt(0, 2)
    if cell.name != title:
        fail(f"the first section row reads {cell.name!r}, not its title {title!r}")

    window = subprocess.run(["xdotool", "search", "--sync", "--name", "Формування"], capture_output=True,
                            text=True, timeout=30).stdout.split()[0]
    subprocess.run(["xdotool", "windowactivate", "--sync", window])
    key("ctrl+e")
    edit = named_focus(first, f"focused wizard edit named {first!r}")
    if not edit.description.startswith("Джерело інформації: "):
        fail(f"the wizard's edit is described as {edit.description!r}")
    key("5", "Return")
    named_focus(second, f"wizard edit named {second!r} after \"Далі >\"")
    key("Tab", "space")  # "Закрити"
    within(lambda: not any(node.getRole() == pyatspi.ROLE_DIALOG and node.getState().contains(pyatspi.STATE_SHOWING)
                           for node in application()), "wizard closed")

    # A click on the first indicator's value cell in the maximised window; Enter after a value
    # moves on to the next indicator.
    subprocess.run(["xdotool", "mousemove", "1230", "150", "click", "1"], check=True)
    key("7", "Return")
    named_focus(f"2 {second}, Цифрові дані", "grid editor named after the second indicator")
finally:
    program.kill()
    program.wait()
print("PASS")
