#!/usr/bin/env python3
"""Holds the web page's label lines against the Linux window's.

    tools/compare_label_lines.py build/web/tavrelo.html build/dev/tools/tavrelo-render-window

Opens the page in headless Chromium (tests/web/chromium.py), reads the lines
each label shows (the binding breaks them with WrapLines, measured in the
page's own fonts), asks tavrelo-render-window --label-lines how Qt breaks
the same captions in the window, and prints every label whose lines differ.
Exits 1 when one does.
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import chromium  # noqa: E402


def page_lines(page):
    with chromium.Chromium() as browser:
        browser.open(page)
        browser.evaluate("new Promise(function wait(done) {"
                         "  performance.getEntriesByName('tavrelo-painted').length ? done()"
                         "  : setTimeout(function () { wait(done); }, 10); })")
        found = browser.evaluate(
            "[].map.call(document.querySelectorAll('.tv-label'), function (e) {"
            "  return [e.dataset.control, e.textContent.split(String.fromCharCode(10)).join('|')]; })")
    return dict(found)


def window_lines(renderer):
    shown = subprocess.run([renderer, "--label-lines"], capture_output=True, text=True, check=True,
                           env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout
    return dict(line.split("\t", 1) for line in shown.splitlines() if "\t" in line)


def main():
    page, window = page_lines(sys.argv[1]), window_lines(sys.argv[2])
    differ = 0
    for name in window:
        if page.get(name) != window[name]:
            differ += 1
            print(f"{name}:\n  window {window[name]}\n  page   {page.get(name)}")
    print(f"{len(window) - differ} labels alike, {differ} differ ({len(window)} in the window, {len(page)} on the page)")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
