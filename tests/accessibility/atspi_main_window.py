#!/usr/bin/python3
"""Reads Quorvane's main window through AT-SPI as a screen reader does and checks
that its controls say what they are. usage: atspi_main_window.py PID"""
import os
import sys
import time

import pyatspi

HEADERS = ["No", "Payment Date", "Interest Payment", "Principal Payment", "Extra Payment", "Balance"]
FIELDS = ["Loan Amount", "Interest Rate", "Term", "Loan Date"]
RESULTS = ["Monthly Payment", "Interest Payment", "Total Payment", "Interest Saved"]


def find_window(pid, seconds=120):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for window in app:
                    if window is not None and window.name == "Quorvane" and window.childCount > 0:
                        return window
            except Exception:
                pass
        time.sleep(0.3)
    return None


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ""


class Tree:
    def __init__(self, root):
        self.nodes = []
        self.walk(root, 0)

    def walk(self, acc, depth):
        if acc is None:
            return
        role = acc.getRoleName()
        self.nodes.append((depth, role, acc.name, acc))
        if role == "table" or depth > 12:
            return
        for child in acc:
            self.walk(child, depth + 1)

    def find(self, role, name=None):
        for _, r, n, acc in self.nodes:
            if r == role and (name is None or n == name):
                return acc
        return None

    def dump(self):
        return "\n".join("  " * d + f"[{r}] {n!r} {text_of(a)!r}" for d, r, n, a in self.nodes)


def main():
    pid = int(sys.argv[1])
    window = find_window(pid)
    if window is None:
        print("FAIL: no window 'Quorvane' on the accessibility bus")
        return 1
    tree = Tree(window)
    faults = []

    def expect(ok, what):
        if not ok:
            faults.append(what)

    for caption in ["Calculate", "Report", "Chart"]:
        expect(tree.find("push button", caption) is not None, f"push button {caption!r}")
    for name in FIELDS:
        field = tree.find("text", name)
        expect(field is not None, f"text field {name!r}")
        if field is not None:
            expect(field.getState().contains(pyatspi.STATE_EDITABLE), f"{name!r} is editable")
            expect(text_of(field) != "", f"{name!r} shows its value")
    bar = tree.find("menu bar")
    expect(bar is not None, "menu bar")
    if bar is not None:
        menus = [child.name for child in bar]
        expect(menus == ["File", "Calculate", "Help"], f"menus File, Calculate, Help (got {menus})")
        if bar.childCount > 0:
            file_items = [child.name for child in bar[0]]
            expect(file_items[:3] == ["New", "Open", "Save"] and "Exit" in file_items, f"File's items (got {file_items})")
    tabs = tree.find("page tab list")
    expect(tabs is not None, "page tab list")
    if tabs is not None:
        names = [child.name for child in tabs if child.getRoleName() == "page tab"]
        expect(names == ["Amortization Schedule", "Chart"], f"page tabs (got {names})")
        if tabs.childCount > 0:
            expect(tabs[0].getState().contains(pyatspi.STATE_SELECTED), "the schedule tab is selected")
    for name in RESULTS:
        label = tree.find("label", name)
        expect(label is not None, f"result label {name!r}")
        if label is not None:
            expect(any(c.isdigit() for c in text_of(label)), f"{name!r} shows a figure (got {text_of(label)!r})")
    table = tree.find("table", "Amortization Schedule")
    expect(table is not None, "table 'Amortization Schedule'")
    if table is not None:
        t = table.queryTable()
        expect(t.nRows == 361, f"361 rows (got {t.nRows})")
        expect(t.nColumns == 6, f"6 columns (got {t.nColumns})")
        headers = [t.getColumnHeader(c).name if t.getColumnHeader(c) else None for c in range(t.nColumns)]
        expect(headers == HEADERS, f"column headers (got {headers})")
        first = [t.getAccessibleAt(1, c).name for c in range(t.nColumns)]
        expect(first[0] == "1" and first[1] != "", f"the first payment's row (got {first})")
        last = t.getAccessibleAt(360, 0).name
        expect(last == "360", f"the last payment's number (got {last!r})")
    if faults or os.environ.get("QV_ATSPI_DUMP"):
        print(tree.dump())
        for f in faults:
            print("FAIL:", f)
        return 1
    print(f"OK: {len(tree.nodes)} objects read")
    return 0


sys.exit(main())
