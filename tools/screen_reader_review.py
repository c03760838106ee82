#!/usr/bin/python3
"""Reviews the running program as a screen reader's user does, over AT-SPI.

Fills the typical use from the keyboard (picks with the arrow keys, values
typed), then walks the form with Tab and prints, for every field that takes
the focus, what a screen reader is told of it: role, name, value,
description and the label it is labelled by. Then presses "计算" and prints
what was announced and where the focus is, reads the ξn table row by row,
and makes a press fail to show the message box. Started by
screen-reader-review.sh, which provides the display, the buses and the
program.
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

ROLE = pyatspi.Accessible.getRoleName


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def keys(*names, pause=0.15):
    for name in names:
        xdotool("key", "--clearmodifiers", name)
        time.sleep(pause)


def type_text(text):
    xdotool("type", "--delay", "40", text)
    time.sleep(0.2)


def text_of(node):
    """The text a node holds: its own, or its edit field's."""
    for candidate in [node] + [node[i] for i in range(node.childCount)]:
        try:
            text = candidate.queryText()
            return text.getText(0, text.characterCount)
        except NotImplementedError:
            continue
    return ""


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def describe(node):
    parts = [f"[{node.getRoleName()}]", f"name “{node.name}”"]
    if node.getRole() in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        parts.append(f"value “{text_of(node)}”")
    if node.description:
        parts.append(f"description “{node.description}”")
    labels = [name for name in labelled_by(node) if name]
    if labels:
        parts.append("labelled by " + " + ".join(f"“{name}”" for name in labels))
    states = node.getState()
    for state, word in ((pyatspi.STATE_MODAL, "modal"), (pyatspi.STATE_FOCUSED, "focused")):
        if states.contains(state):
            parts.append(word)
    return "  ".join(parts)


def find(node, predicate):
    if node is None:
        return None
    if predicate(node):
        return node
    for child in node:
        found = find(child, predicate)
        if found is not None:
            return found
    return None


def find_all(node, predicate, found=None):
    found = [] if found is None else found
    if node is None:
        return found
    if predicate(node):
        found.append(node)
    for child in node:
        find_all(child, predicate, found)
    return found


class Review:
    def __init__(self, app):
        self.app = app
        self.focused = []  # nodes in the order they took the focus
        self.announced = []
        self.alerts = []

    def on_event(self, event):
        source = event.source
        try:
            role = source.getRole()
        except Exception:  # the object went away
            return
        if event.type.startswith("object:state-changed:focused") and event.detail1:
            self.focused.append(source)
        elif event.type.startswith("object:state-changed:showing") and event.detail1:
            if role == pyatspi.ROLE_NOTIFICATION:
                self.announced.append(source.name)
            elif role == pyatspi.ROLE_ALERT:
                self.alerts.append(source)

    def script(self):
        frame = self.app[0]
        print(f"window: {describe(frame)}")
        print(f"  nodes named “负摩阻力系数ξn”: "
              f"{[ROLE(n) for n in find_all(frame, lambda n: n.name == '负摩阻力系数ξn')]}")
        # The typical use: n = 2.0 and the cause picked with the arrow keys,
        # the rest typed.
        keys("Down", "Down")                  # Combo1: 1.0, 2.0 (rows 3 to 5 go)
        keys("Tab", "Tab", "Tab")             # the soil names, to Combo3(0)
        type_text("18")
        keys("Tab")
        type_text("19")
        keys("Tab", "Tab", "Tab")             # the elevations, to Combo4(5)
        type_text("2.0")
        keys("Tab")
        type_text("3.0")
        keys("Tab", "Tab", "Tab")             # the button, the result box, to Combo5
        keys("Down")                          # 降低地下水 (Combo7 goes)
        keys("Tab")
        type_text("0.25")
        yield 0.5

        print("\nreview, Tab by Tab from the first field round to the last:")
        self.focused.clear()
        for _ in range(13):  # from Combo6 round to it again; Combo7 is hidden
            keys("Tab", pause=0.25)
        yield 0.5
        for node in self.focused:
            print("  " + describe(node))

        print("\npress “计算” (Space on the button):")
        keys("shift+Tab", "shift+Tab", "shift+Tab")  # Combo5, the result box, the button
        yield 0.3
        self.announced.clear()
        keys("space")
        yield 1.0
        print(f"  announced: {self.announced}")
        print(f"  focus: {describe(self.focused[-1])}")
        result = find(frame, lambda n: n.name == "计算结果")
        print(f"  result box: {describe(result)}")

        table = find(frame, lambda n: n.getRole() == pyatspi.ROLE_TABLE)
        cells = table.queryTable()
        print(f"\nξn table “{table.name}”, {cells.nRows} rows × {cells.nColumns} columns, row by row:")
        for row in range(cells.nRows):
            print("  " + " | ".join(cells.getAccessibleAt(row, column).name for column in range(cells.nColumns)))

        print("\na press that fails (ξn typed as “x”):")
        keys("Tab", "Tab", "Tab")  # the result box, Combo5, Combo6
        keys("ctrl+a")
        type_text("x")
        keys("shift+Tab", "shift+Tab", "shift+Tab")
        self.announced.clear()
        keys("space")
        yield 1.0
        for alert in self.alerts:
            texts = [f"[{ROLE(n)}] {n.name}" for n in find_all(alert, lambda n: n.name and n is not alert)]
            print(f"  {describe(alert)}  holds {texts}")
        print(f"  announced: {self.announced}")
        keys("Return")
        # No window manager here gives the window the focus back: do as one.
        xdotool("search", "--name", "^Tavrelo$", "windowfocus")
        yield 1.0
        focus = find(frame, lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))
        print(f"  then the focus: {describe(focus) if focus else None}")

    def run(self):
        steps = self.script()

        def step():
            try:
                delay = next(steps)
            except StopIteration:
                pyatspi.Registry.stop()
                return False
            GLib.timeout_add(int(delay * 1000), step)
            return False

        GLib.timeout_add(300, step)
        # Listening to name changes, as Orca does, keeps the client's cache
        # of names current.
        pyatspi.Registry.registerEventListener(
            self.on_event, "object:state-changed:focused", "object:state-changed:showing",
            "object:property-change:accessible-name")
        pyatspi.Registry.start()


def main():
    for _ in range(50):
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [app for app in desktop if app is not None and app.name == "tavrelo" and app.childCount]
        if apps:
            # Every reading asks the program, as it stands: no cached names.
            apps[0].set_cache_mask(Atspi.Cache.NONE)
            apps[0].clear_cache()
            Review(apps[0]).run()
            return 0
        time.sleep(0.2)
    print("the program never showed up on the accessibility bus", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
