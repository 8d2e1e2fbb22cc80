#!/usr/bin/python3
"""Prints what a screen reader reads in the results window's two lists, one row a line, or of
the answer sheet's tabs, those that carry a description.

usage: results_rows.py APP_NAME [results|tabs]

With results (the default), each line is "attempt: TEXT" for a row of the run's attempts or
"item: TEXT" for a row of the latest attempt's items, TEXT being the row's first cell as it is
spoken. With tabs, each line is "tab: NAME — DESCRIPTION".
"""

import sys
import time

import pyatspi


def children(acc):
    return [c for c in acc if c is not None]


def walk(acc):
    yield acc
    for c in children(acc):
        yield from walk(c)


def main():
    app_name = sys.argv[1]
    mode = sys.argv[2] if len(sys.argv) > 2 else "results"
    title = "結果" if mode == "results" else "問題 （英語）"
    end = time.time() + 10
    while time.time() < end:
        apps = [a for a in children(pyatspi.Registry.getDesktop(0)) if a.name == app_name]
        frames = [f for a in apps for f in children(a)
                  if f.getRoleName() == "frame" and f.name == title]
        if frames:
            break
        time.sleep(0.2)
    else:
        print(f"FAIL: no window {title} of {app_name} on the accessibility bus", file=sys.stderr)
        return 1
    if mode == "tabs":
        for acc in walk(frames[0]):
            if acc.getRoleName() == "page tab list" and acc.name == "解答用紙":
                for tab in children(acc):
                    if tab.description:
                        print(f"tab: {tab.name} — {tab.description}")
        return 0
    for acc in walk(frames[0]):
        kind = {"これまでの解答": "attempt", "問題別の結果": "item"}.get(acc.name)
        if kind and acc.getRoleName() in ("tree table", "table", "tree"):
            table = acc.queryTable()
            for row in range(table.nRows):
                cell = table.getAccessibleAt(row, 0)
                print(f"{kind}: {cell.name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
