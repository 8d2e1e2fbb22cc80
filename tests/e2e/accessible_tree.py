#!/usr/bin/python3
"""Reads the running program over AT-SPI, as a screen reader does, and checks what it hears.

usage: accessible_tree.py APP_NAME LABELS_FILE [DUMP_FILE]

APP_NAME is the name the program registers under (its file name); LABELS_FILE holds the answer
sheet's tab captions, one a line. The whole tree is written to DUMP_FILE when one is given.
Keys are sent with xdotool to the window that has the keyboard.
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def children(acc):
    return [c for c in acc if c is not None]


def walk(acc):
    yield acc
    for c in children(acc):
        yield from walk(c)


def dump(acc, out, depth=0):
    shown = sorted(states(acc) & {"selected", "checked", "focused", "showing"})
    desc = f" — {acc.description!r}" if acc.description else ""
    out.write(f"{'  ' * depth}[{acc.getRoleName()}] {acc.name!r}{desc} {','.join(shown)}\n")
    for c in children(acc):
        dump(c, out, depth + 1)


def find_app(name, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app.name == name:
                return app
        time.sleep(0.1)
    return None


def find(root, role, name=None):
    for acc in walk(root):
        if acc.getRoleName() == role and (name is None or acc.name == name):
            return acc
    return None


def frame(app, name, timeout=5.0):
    end = time.time() + timeout
    while time.time() < end:
        app.clearCache()
        for f in children(app):
            if f.getRoleName() == "frame" and f.name == name:
                return f
        time.sleep(0.1)
    return None


# What must never be nameless: what a user can reach or must read.
NAMED_ROLES = {"frame", "push button", "check box", "page tab list", "page tab", "text", "image",
               "menu item"}


def check_all_named(window):
    for acc in walk(window):
        if acc.getRoleName() in NAMED_ROLES:
            check(acc.name.strip(), f"a {acc.getRoleName()} in {window.name!r} has no name")


def selected_tabs(tab_list):
    for tab in children(tab_list):
        tab.clearCache()
    return [t.getIndexInParent() for t in children(tab_list) if "selected" in states(t)]


def press_and_listen(keys, wanted, timeout=5.0):
    """Sends the keys and returns the events heard until one matches wanted(event)."""
    heard = []
    loop_state = {"done": False}

    def on_event(event):
        source = event.source.name if event.source else None
        heard.append((event.type, source, event.detail1))
        if wanted(event.type, source, event.detail1):
            loop_state["done"] = True
            pyatspi.Registry.stop()

    def send():
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], check=True)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    types = ("object:state-changed:selected", "object:state-changed:focused", "focus:")
    pyatspi.Registry.registerEventListener(on_event, *types)
    # The program learns of a new listener through the registry; give it a moment.
    GLib.timeout_add(500, send)
    GLib.timeout_add(int(timeout * 1000), give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_event, *types)
    return loop_state["done"], heard


def main():
    app_name, labels_file = sys.argv[1], sys.argv[2]
    dump_file = sys.argv[3] if len(sys.argv) > 3 else None
    with open(labels_file, encoding="utf-8") as f:
        labels = [line.rstrip("\n") for line in f if line.strip()]

    app = find_app(app_name)
    if app is None:
        print(f"FAIL: {app_name} is not on the accessibility bus", file=sys.stderr)
        return 1
    exam = frame(app, "問題 （英語）")
    if not check(exam is not None, "no exam window"):
        return report(app, dump_file)

    # The answer sheet: a page-tab list of one page tab per item, captioned as drawn, the first
    # selected, each placed by its index.
    sheet = find(exam, "page tab list", "解答用紙")
    if check(sheet is not None, "the answer sheet is no page-tab list"):
        tabs = children(sheet)
        check([t.getRoleName() for t in tabs] == ["page tab"] * len(labels),
              f"the sheet's children are not {len(labels)} page tabs: "
              f"{[t.getRoleName() for t in tabs][:5]}…")
        check([t.name for t in tabs] == labels, "the sheet's tabs are not named as drawn")
        check([t.getIndexInParent() for t in tabs] == list(range(len(tabs))),
              "the tabs do not know their places")
        check(selected_tabs(sheet) == [0], f"selected on the sheet: {selected_tabs(sheet)}")
        boxes = [a for a in walk(sheet) if a.getRoleName() == "check box"]
        check([b.name for b in boxes] == [f"{labels[0]} {c}" for c in "①②③④"],
              f"the first page's boxes: {[b.name for b in boxes]}")

    # The paper: four page tabs, the text named, each figure an image with its caption and a
    # description that carries what it shows.
    paper = find(exam, "page tab list", "問題用紙")
    if check(paper is not None, "the paper is no page-tab list"):
        check([t.name for t in children(paper)] == ["問題", "図１", "図２", "図３"],
              "the paper's tabs are not 問題, 図１, 図２, 図３")
        check(find(paper, "text", "問題") is not None, "the paper's text is not named 問題")
    figures = {acc.name: acc.description for acc in walk(exam) if acc.getRoleName() == "image"}
    for caption, words in (("図１", ["ア", "オ"]),
                           ("図２", ["Ages 60 and over", "Stylist's skill 45%"]),
                           ("図３", ["①", "⑥"])):
        description = figures.get(caption, "")
        check(all(w in description for w in words),
              f"{caption}: no description with {words}: {description[:40]!r}")

    for name in ("スタート", "得\u3000点", "合格率"):
        check(find(exam, "push button", name) is not None, f"no button named {name}")
    check_all_named(exam)

    # The keyboard: Tab from スタート along 得　点, 合格率, the paper's tabs and its text reaches
    # the sheet's tabs, where the focus lands on the selected tab.
    if sheet is not None and not failures:
        got, heard = press_and_listen(["Tab"] * 5,
                                      lambda t, s, d: t.startswith("focus") and s == labels[0])
        check(got, f"Tab to the sheet: no focus on {labels[0]!r}; heard {heard}")
        # Right, then Down a row: the selection moves, and is heard moving.
        got, heard = press_and_listen(["Right", "Down"],
                                      lambda t, s, d: "selected" in t and s == labels[13] and d)
        check(got, f"Right, Down: {labels[13]!r} not heard selected; heard {heard}")
        check(selected_tabs(sheet) == [13], f"after Right, Down: selected {selected_tabs(sheet)}")
        tab = children(sheet)[13]
        tab.clearCache()
        check("focused" in states(tab), f"{labels[13]!r} does not have the focus")
        boxes = [a for a in walk(children(sheet)[13]) if a.getRoleName() == "check box"]
        check(len(boxes) == 4 and boxes[0].name == f"{labels[13]} ①",
              f"the boxes under {labels[13]!r}: {[b.name for b in boxes]}")

    # The secondary windows: each named, its document named; the verdict window also gives the
    # verdict. About opens from the keyboard, the verdict by pressing the buttons through AT-SPI,
    # as a screen reader's user can.
    if not failures:
        subprocess.run(["xdotool", "key", "alt+h", "a"], check=True)
        about = frame(app, "バージョン情報")
        if check(about is not None, "no About window named バージョン情報 after Alt+H, A"):
            check(find(about, "text", "ソフトウェア説明書") is not None,
                  "the About window's document is not named")
            check_all_named(about)

        find(exam, "push button", "得\u3000点").queryAction().doAction(0)
        find(exam, "push button", "合格率").queryAction().doAction(0)
        verdict = frame(app, "合格ライン")
        if check(verdict is not None, "no verdict window named 合格ライン after Score, Pass rate"):
            check("計測不能" in verdict.description,
                  f"the verdict window's description: {verdict.description!r}")
            check(find(verdict, "text", "合格ライン一覧") is not None,
                  "the verdict window's document is not named")
            check_all_named(verdict)

        # A mixed sheet: 2A-問6 right (③), every other item unanswered and so marked ×, scored
        # again. The box is clicked where the program says it is, as a pointer user would, with
        # the exam window raised above the windows just opened.
        subprocess.run(["xdotool", "search", "--name", "問題 （英語）", "windowraise"], check=True)
        if sheet is not None:
            boxes = [a for a in walk(children(sheet)[13]) if a.getRoleName() == "check box"]
            if check(len(boxes) == 4, f"no boxes under {labels[13]!r}"):
                click(boxes[2])
            find(exam, "push button", "得\u3000点").queryAction().doAction(0)

        # Back to the exam window, whose menu opens the results of the Score just pressed.
        subprocess.run(["xdotool", "search", "--name", "問題 （英語）", "windowfocus", "--sync",
                        "key", "alt+g", "r"], check=True)
        results = frame(app, "結果")
        if check(results is not None, "no results window named 結果 after Alt+G, R"):
            check(find(results, "tree table", "問題別の結果") is not None
                  or find(results, "tree", "問題別の結果") is not None,
                  "the results window's list is not named")
            check(find(results, "label", "正解 1\u3000不正解 0\u3000無解答 45") is not None,
                  "the sheet was not scored as one right and the rest unanswered")
            check_answer_book(results)
    return report(app, dump_file)


def click(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                    "click", "1"], check=True)


def pane_text(results):
    # Read-only, so Qt calls it a label; it still offers its text.
    pane = find(results, "label", "解説") or find(results, "text", "解説")
    if pane is None:
        return None
    pane.clearCache()
    text = pane.queryText()
    return text.getText(0, text.characterCount)


def check_answer_book(results):
    """With the keyboard alone: tick 正解を表示, go down to the wrong item, and hear why."""
    text = pane_text(results)
    if not check(text is not None, "the results window has no text named 解説"):
        return
    check(not any(c in text for c in "①②③④⑤⑥⑦⑧⑨⑩"),
          f"the explanation pane names a choice while the key is hidden: {text[:60]!r}")
    # The check box has the focus when the window opens.
    show_key = find(results, "check box", "正解を表示")
    if not check(show_key is not None and "focused" in states(show_key),
                 "正解を表示 does not have the focus when the results open"):
        return
    subprocess.run(["xdotool", "key", "space"], check=True)
    # The list comes next; its rows run 第１問, its eight items, 第２問, 2A-問1 … so 2A-問7 is
    # sixteen rows down from the top.
    subprocess.run(["xdotool", "key", "--delay", "40", "Tab", "Home"] + ["Down"] * 16, check=True)
    end = time.time() + 5
    while time.time() < end:
        text = pane_text(results) or ""
        if "正解　④" in text:
            break
        time.sleep(0.2)
    check("正解　④" in text and "call off" in text,
          f"2A-問7's explanation is not heard with its key ④: {text[:80]!r}")


def report(app, dump_file):
    if dump_file:
        with open(dump_file, "w", encoding="utf-8") as out:
            dump(app, out)
    for message in failures:
        print(f"FAIL: {message}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
