#!/usr/bin/env python3
"""The program's page opened from disk in headless Chromium and used as an
engineer would, by trusted keys and clicks only: the typical use picked and
typed, "计算" clicked, the sentence read from the result box; and no request
made but for the file itself (and the data: address of the WebAssembly
module inside it, which the runtime decodes through fetch()).

    smoke_test.py tavrelo.html
"""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chromium  # noqa: E402

SENTENCE = ("当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2")


class Smoke:
    def __init__(self, browser):
        self.browser = browser

    def centre(self, selector):
        rect = self.browser.evaluate(
            f"(function (r) {{ return [r.left + r.width / 2, r.top + r.height / 2]; }})"
            f"(document.querySelector({json.dumps(selector)}).getBoundingClientRect())")
        return rect

    def field(self, control):
        return f'[data-control="{control}"] input'

    def pick(self, control, entry):
        self.browser.click(*self.centre(f'[data-control="{control}"] .tv-drop'))
        index = self.browser.evaluate(
            f"[].findIndex.call(document.getElementById('tv-list').children, "
            f"function (o) {{ return o.textContent === {json.dumps(entry)}; }})")
        if index < 0:
            raise AssertionError(f"{control}: no {entry} in the open list")
        self.browser.evaluate(f"(function (o) {{ o.parentNode.scrollTop = o.offsetTop; }})"
                              f"(document.getElementById('tv-list').children[{index}])")
        self.browser.click(*self.centre(f"#tv-o{index}"))

    def type(self, control, text):
        self.browser.click(*self.centre(self.field(control)))
        for key in text:
            self.browser.call("Input.dispatchKeyEvent", type="keyDown", key=key, text=key)
            self.browser.call("Input.dispatchKeyEvent", type="keyUp", key=key)


def main():
    page = os.path.abspath(sys.argv[1])
    requests = []

    def watch(event):
        if event.get("method") == "Network.requestWillBeSent":
            requests.append(event["params"]["request"]["url"])

    with chromium.Chromium(on_event=watch) as browser:
        browser.call("Network.enable")
        browser.open(page)
        # The module compiles after the load event; the page marks the form's
        # first paint.
        browser.evaluate("new Promise(function wait(done) {"
                         "  performance.getEntriesByName('tavrelo-painted').length ? done()"
                         "  : setTimeout(function () { wait(done); }, 10); })")
        smoke = Smoke(browser)
        smoke.pick("Combo1", "2.0")
        smoke.type("Combo3(0)", "18")
        smoke.type("Combo3(1)", "19")
        smoke.type("Combo4(5)", "2.0")
        smoke.type("Combo4(6)", "3.0")
        smoke.pick("Combo5", "降低地下水")
        smoke.type("Combo6", "0.25")
        browser.click(*smoke.centre('[data-control="Command1"]'))
        shown = browser.evaluate("document.querySelector('[data-control=\"Text1\"]').value")
        browser.evaluate("new Promise(function (done) { setTimeout(done, 200); })")
        others = [url[:60] for url in requests if url != "file://" + page and not url.startswith("data:")]
    failures = []
    if shown != SENTENCE:
        failures.append(f"the result box shows {shown!r}\n  expected {SENTENCE!r}")
    if others:
        failures.append("requests besides the page itself: " + ", ".join(others))
    for failure in failures:
        print("FAILED:", failure)
    print(f"{1 - bool(failures)} passed, {int(bool(failures))} failed: the typical use, offline, from {page}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
