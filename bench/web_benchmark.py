#!/usr/bin/env python3
"""The web page's figures: its size, its first paint against an empty page
of the same size and colour, and a press of "计算", in headless Chromium.

    bench/web_benchmark.py build/web/tavrelo.html [-n ROUNDS]

Size: the file's bytes and gzip -9's (GNU gzip). First paint: both pages mark the
moment after which a frame has been drawn (tavrelo.html once the form is
built: requestAnimationFrame, then a task; the empty page the same from its
script's end), and the mark's time since the navigation began is read; the
pages take turns in one browser (empty, Tavrelo, …), 2 warm-up rounds, then
ROUNDS (20) measured. The empty page is the same number of bytes (a script
holding one long string, as the page's holds the module) and paints
the same colour. A press: the typical use typed in (input events), then 100
times in a row the result box cleared as by typing and the button clicked
(its click handler, the model, the core, the sentence into the box and the
live region), 40 such batches, each timed inside the page with
performance.now(); once more with the layout that follows each press.
Prints medians and extremes; exits 0 whatever the goals, 1 when a run fails.
"""

import argparse
import gzip
import os
import re
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import chromium  # noqa: E402

SENTENCE = ("当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2")

WAIT_FOR_MARK = ("new Promise(function wait(done) {"
                 "  var m = performance.getEntriesByName('tavrelo-painted');"
                 "  m.length ? done(m[0].startTime) : setTimeout(function () { wait(done); }, 5); })")


def empty_page(page_bytes, colour):
    """A page as long as `page_bytes`, in `colour`, with nothing in it."""
    head = ('<!doctype html><html lang="zh-CN" style="background:%s"><head><meta charset="utf-8">'
            '<title>Tavrelo</title></head><body><script>var padding="' % colour)
    tail = ('";requestAnimationFrame(function () { setTimeout(function () {'
            ' performance.mark("tavrelo-painted"); }); });</script></body></html>')
    pad = len(page_bytes) - len(head.encode()) - len(tail.encode())
    return (head + "A" * pad + tail).encode()


def first_paint(browser, path):
    browser.open(path)
    return browser.evaluate(WAIT_FOR_MARK)


def presses(browser, path):
    browser.open(path)
    browser.evaluate(WAIT_FOR_MARK)
    browser.evaluate(
        "(function () {"
        "  var typed = {'Combo1': '2.0', 'Combo3(0)': '18', 'Combo3(1)': '19', 'Combo4(5)': '2.0',"
        "               'Combo4(6)': '3.0', 'Combo5': '降低地下水', 'Combo6': '0.25'};"
        "  Object.keys(typed).forEach(function (name) {"
        "    var field = document.querySelector('[data-control=\"' + name + '\"] input');"
        "    field.value = typed[name];"
        "    field.dispatchEvent(new Event('input'));"
        "  });"
        "})()")
    timings = {}
    for layout in (False, True):
        batches = browser.evaluate(
            "(function () {"
            "  var button = document.querySelector('[data-control=Command1]'),"
            "      box = document.querySelector('[data-control=Text1]'), batches = [];"
            "  for (var b = 0; b < 40; b++) {"
            "    var start = performance.now();"
            "    for (var i = 0; i < 100; i++) {"
            "      box.value = ''; box.dispatchEvent(new Event('input')); button.click();%s }"
            "    batches.push((performance.now() - start) / 100);"
            "  }"
            "  return [batches, box.value];"
            "})()" % (" box.offsetHeight;" if layout else ""))
        if batches[1] != SENTENCE:
            raise chromium.PageError(f"the press gave {batches[1]!r}")
        timings[layout] = batches[0]
    return timings


def describe(values, unit="ms"):
    return (f"{statistics.median(values):.2f} {unit} (min {min(values):.2f}, max {max(values):.2f},"
            f" {len(values)} runs)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("-n", "--rounds", type=int, default=20)
    options = parser.parse_args()
    page = os.path.abspath(options.page)
    data = open(page, "rb").read()
    try:  # GNU gzip's own deflate, as a user would compress the file
        packed = len(subprocess.run(["gzip", "-9", "-c", page], capture_output=True, check=True).stdout)
    except (OSError, subprocess.CalledProcessError):
        packed = len(gzip.compress(data, 9))
    print(f"size: {len(data)} bytes ({len(data) / 1024:.1f} KiB), gzip -9: {packed} bytes ({packed / 1024:.1f} KiB)")
    module = re.search(rb'tvModule="([A-Za-z0-9+/=]+)"', data)
    if module:
        print(f"  of which the module, compressed, in base64: {len(module.group(1))} bytes")

    colour = "#80ff80"
    with tempfile.TemporaryDirectory() as folder:
        empty = os.path.join(folder, "empty.html")
        with open(empty, "wb") as out:
            out.write(empty_page(data, colour))
        with chromium.Chromium() as browser:
            tavrelo_times, empty_times = [], []
            for round_number in range(options.rounds + 2):
                e, t = first_paint(browser, empty), first_paint(browser, page)
                if round_number >= 2:
                    empty_times.append(e)
                    tavrelo_times.append(t)
            press = presses(browser, page)
    print("first paint after navigation:")
    print("  empty page  " + describe(empty_times))
    print("  Tavrelo     " + describe(tavrelo_times))
    ratio = statistics.median(tavrelo_times) / statistics.median(empty_times)
    print(f"  ratio       {ratio:.2f}x (goal <= 1.5x)")
    print("a press of 计算, per press (medians of 40 batches of 100):")
    print("  click, model, core, result box  " + describe([t * 1000 for t in press[False]], "us"))
    print("  the same with the layout after  " + describe([t * 1000 for t in press[True]], "us"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
