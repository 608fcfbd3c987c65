#!/usr/bin/python3
"""Prints an application's accessible tree as a screen reader reads it over AT-SPI.

usage: accessibility-tree.py APPLICATION [SECONDS [PID]]

Waits up to SECONDS (default 10) for APPLICATION (its process PID, where given)
to appear on the accessibility bus, then prints one line a node, depth first:
its depth, role, name, description, "showing" when it is on the screen, the
text a text box holds, and "selected" for a list's selected entry, separated by
tabs; a backslash, tab or line break in a name or description is written as
two characters, as Python writes it in a string. Exits 1 when the application
never appears.
"""
import sys
import time

import pyatspi


def application(name, seconds, pid):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for candidate in pyatspi.Registry.getDesktop(0):
            if candidate is None or candidate.name != name or candidate.childCount == 0:
                continue
            if pid is None or candidate.get_process_id() == pid:
                return candidate
        time.sleep(0.1)
    return None


def escaped(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def show(node, depth):
    state = node.getState()
    showing = "showing" if state.contains(pyatspi.STATE_SHOWING) else ""
    selected = "selected" if state.contains(pyatspi.STATE_SELECTED) else ""
    text = ""
    if node.getRole() == pyatspi.ROLE_TEXT:
        text = node.queryText().getText(0, -1).replace("\n", " ")
    print(f"{depth}\t{node.getRoleName()}\t{escaped(node.name)}\t{escaped(node.description)}"
          f"\t{showing}\t{text}\t{selected}")
    for child in node:
        if child is not None:
            show(child, depth + 1)


def main():
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    found = application(sys.argv[1], seconds, int(sys.argv[3]) if len(sys.argv) > 3 else None)
    if found is None:
        print(f"{sys.argv[1]} is not on the accessibility bus", file=sys.stderr)
        return 1
    show(found, 0)
    return 0


if __name__ == "__main__":
    sys.exit(main())
