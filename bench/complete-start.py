#!/usr/bin/python3
"""Times, over the accessibility bus, when Veltrane's window holds a complete start.

usage: complete-start.py read
       complete-start.py until GO_FILE TEXT1 TEXT4 FIRST1 LAST1 FIRST2 LAST2

"read" prints what the window holds now: both counts, and
the first and last entry of List1 and of List2, a line each. "until" joins the
bus, writes "ready" to standard output, waits until GO_FILE holds the moment
the program was started (CLOCK_MONOTONIC seconds), then reads the window every
10 ms until both counts and both lists are those given, with as many entries
as the counts say; it prints the seconds from the start to that read. A reader
hears the lists as a screen reader does; their entries are read only at their
ends, as reading 30,000 of them takes longer than the start itself.
"""
import os
import sys
import time

import pyatspi

TEXT2, LIST2, TEXT4, TEXT1, LIST1 = 0, 1, 2, 5, 6


def window_controls():
    for candidate in pyatspi.Registry.getDesktop(0):
        if candidate is None or candidate.name != "Veltrane" or candidate.childCount == 0:
            continue
        window = candidate[0]
        if window is not None and window.childCount == 13:
            return [window[i] for i in range(window.childCount)]
    return None


def text_of(node):
    return node.queryText().getText(0, -1)


def ends_of(node):
    count = node.childCount
    if count == 0:
        return ["", ""]
    return [node[0].name, node[count - 1].name]


def held():
    controls = window_controls()
    if controls is None:
        return None
    text1, text4 = text_of(controls[TEXT1]), text_of(controls[TEXT4])
    lists = controls[LIST1], controls[LIST2]
    for text, entries in zip((text1, text4), lists):
        if not text.isdigit() or entries.childCount != int(text):
            return [text1, text4]
    return [text1, text4] + ends_of(lists[0]) + ends_of(lists[1])


def until(go_file, expected):
    print("ready", flush=True)
    while not os.path.exists(go_file) or os.path.getsize(go_file) == 0:
        time.sleep(0.002)
    with open(go_file) as go:
        started = float(go.read())
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        try:
            if held() == expected:
                print(f"{time.monotonic() - started:.3f}", flush=True)
                return 0
        except Exception:  # the window changing under the reader
            pass
        time.sleep(0.01)
    print("the window never held the complete start", file=sys.stderr)
    return 1


def main():
    if sys.argv[1] == "read":
        state = held()
        if state is None or len(state) != 6:
            return 1
        print("\n".join(state))
        return 0
    return until(sys.argv[2], sys.argv[3:9])


if __name__ == "__main__":
    sys.exit(main())
