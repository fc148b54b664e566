"""Reads the program's windows as a screen reader does, through the AT-SPI bus.

atspi_walk.py names WINDOW...   every control of each window that takes the keyboard has a
                                non-empty name (a window is matched by its title's start;
                                "*" is every window the program shows)
atspi_walk.py total KEYS TEXT   types KEYS (xdotool); the total announces a new name holding
                                TEXT, and reads so when asked (waits up to 10 s)
atspi_walk.py menu NAME         presses the menu item whose name starts with NAME
Each problem is a line on standard output starting with "FAIL"; the exit status is 1 then.
"""
import subprocess
import sys
import time

from gi.repository import GLib

import pyatspi


def application():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and app.name.lower() == "sumiplex":
                return app
        time.sleep(0.1)
    print("FAIL the program is not on the accessibility bus")
    sys.exit(1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def has(node, state):
    return node.getState().contains(state)


def windows(app, wanted):
    found = [w for w in app if w is not None and has(w, pyatspi.STATE_SHOWING)]
    if wanted == "*":
        return found
    return [w for w in found if w.name.strip().startswith(wanted)]


def check_names(app, titles):
    problems = 0
    for title in titles:
        shown = windows(app, title)
        if not shown:
            print(f"FAIL no window titled {title!r} is shown")
            problems += 1
        for window in shown:
            controls = 0
            for node in walk(window):
                if not (has(node, pyatspi.STATE_FOCUSABLE) and has(node, pyatspi.STATE_SHOWING)):
                    continue
                # Cells and list rows are spoken with their text; the grid or list owns the name.
                if node.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM,
                                      pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU):
                    continue
                controls += 1
                if not node.name.strip():
                    print(f"FAIL {window.name.strip()}: a {node.getRoleName()} has no name")
                    problems += 1
            print(f"ok   {window.name.strip()}: {controls} controls named")
    return problems


def announced(keys, text):
    """Types `keys` and listens for the total's name-change event."""
    heard = []

    def listener(event):
        name = event.source.name if event.source is not None else ""
        if name.startswith("合計"):
            heard.append(name)
            if text in name:
                pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    GLib.timeout_add(500, lambda: subprocess.run(["xdotool", "type", "--delay", "60", keys]) and False)
    GLib.timeout_add(10000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    if any(text in name for name in heard):
        print(f"ok   the total announced {heard[-1]!r}")
        return 0
    print(f"FAIL the total announced {heard!r}, nothing holding {text!r}")
    return 1


def total_reads(app, text):
    spoken = ""
    for _ in range(100):
        for window in windows(app, "電卓"):
            for node in walk(window):
                if node.getRole() == pyatspi.ROLE_LABEL and node.name.startswith("合計"):
                    spoken = node.name
                    if text in spoken:
                        print(f"ok   the total reads {spoken!r}")
                        return 0
        time.sleep(0.1)
    print(f"FAIL the total reads {spoken!r}, not {text!r}")
    return 1


def press_menu(app, name):
    for window in windows(app, "電卓"):
        for node in walk(window):
            if node.getRole() == pyatspi.ROLE_MENU_ITEM and node.name.startswith(name):
                action = node.queryAction()
                for i in range(action.nActions):
                    if action.getName(i) in ("press", "Press", "click"):
                        action.doAction(i)
                        return 0
                action.doAction(0)
                return 0
    print(f"FAIL no menu item {name!r}")
    return 1


def main(argv):
    app = application()
    command, rest = argv[1], argv[2:]
    if command == "names":
        return check_names(app, rest)
    if command == "total":
        return announced(rest[0], rest[1]) + total_reads(app, rest[1])
    if command == "menu":
        return press_menu(app, rest[0])
    print(f"FAIL unknown command {command}")
    return 1


if __name__ == "__main__":
    sys.exit(1 if main(sys.argv) else 0)
