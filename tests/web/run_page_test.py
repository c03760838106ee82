#!/usr/bin/env python3
"""Runs a test page (GoogleTest built into the page with the binding) in
headless Chromium, and is its hands: the page asks for an action, this
script performs it as trusted input over the DevTools protocol, and answers.

    run_page_test.py PAGE.html [--gtest_filter=…]

The page (tests/web/web_driver.h) posts requests that tvTest.next() hands
over, and waits until tvTest.finish(answer) is called:
  {"cdp": [[method, params], …]}  commands sent in order ("$subject" in a
                                  parameter stands for tvTest.subject's
                                  remote object); the last one's result
  {"axName": true}                the accessible name of tvTest.subject
  {"axTree": true}                its accessibility subtree, one node a line
                                  ("role name", two blanks deeper per level)
  {"screenshot": PATH}            the viewport as a PNG at PATH (for a look
                                  at what a case saw); with "clip": "X Y W H"
                                  that rect of it
  {"capture": "X Y W H"}          the pixels of that rect of the viewport
                                  (CSS pixels): "width height scale " then
                                  six hex digits a pixel, row by row
  {"exit": N}                     the tests are done; N is the exit status
The page's output (GoogleTest's) arrives as console messages and is printed.
"""

import base64
import json
import os
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chromium  # noqa: E402


def print_console(event):
    text = chromium.console_text(event)
    if text is not None:
        print(text, flush=True)
    elif event.get("method") == "Runtime.exceptionThrown":
        details = event["params"]["exceptionDetails"]
        print("page error:", details.get("exception", {}).get("description") or details.get("text"), flush=True)


def subject(browser):
    found = browser.call("Runtime.evaluate", expression="tvTest.subject")
    return found["result"]["objectId"]


def substitute(value, object_id):
    if value == "$subject":
        return object_id
    if isinstance(value, dict):
        return {key: substitute(item, object_id) for key, item in value.items()}
    if isinstance(value, list):
        return [substitute(item, object_id) for item in value]
    return value


def ax_tree(browser, object_id):
    root = browser.call("Accessibility.getPartialAXTree", objectId=object_id, fetchRelatives=False)["nodes"]
    lines = []

    def visit(node, depth):
        role = node.get("role", {}).get("value", "")
        name = node.get("name", {}).get("value", "")
        shown = role not in ("none", "generic", "InlineTextBox", "StaticText", "LineBreak")
        if shown:
            lines.append("  " * depth + f"{role} {name}".rstrip())
        for child in browser.call("Accessibility.getChildAXNodes", id=node["nodeId"])["nodes"]:
            if not child.get("ignored"):
                visit(child, depth + 1 if shown else depth)

    visit(root[0], 0)
    return "\n".join(lines)


def decode_png(data):
    """Width, height and the rows of RGB bytes of an 8-bit RGB or RGBA PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, chunks, width, height, channels = 8, b"", 0, 0, 3
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height = int.from_bytes(body[0:4], "big"), int.from_bytes(body[4:8], "big")
            channels = {2: 3, 6: 4}[body[9]]
        elif kind == b"IDAT":
            chunks += body
        at += 12 + length
    raw, stride, rows, previous = zlib.decompress(chunks), width * channels, [], bytearray(width * channels)
    for r in range(height):
        kind, line = raw[r * (stride + 1)], bytearray(raw[r * (stride + 1) + 1:(r + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        previous = line
        rows.append(bytes(line) if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3))
    return width, height, rows


def perform(browser, request):
    if "cdp" in request:
        object_id = subject(browser) if "$subject" in repr(request["cdp"]) else None
        result = None
        for method, params in request["cdp"]:
            result = browser.call(method, **substitute(params, object_id))
        return result
    if "axName" in request:
        nodes = browser.call("Accessibility.getPartialAXTree", objectId=subject(browser), fetchRelatives=False)
        return nodes["nodes"][0].get("name", {}).get("value", "")
    if "axTree" in request:
        return ax_tree(browser, subject(browser))
    if "capture" in request:
        x, y, width, height = (float(v) for v in request["capture"].split())
        shot = browser.call("Page.captureScreenshot", format="png",
                            clip={"x": x, "y": y, "width": width, "height": height, "scale": 1})
        w, h, rows = decode_png(base64.b64decode(shot["data"]))
        return f"{w} {h} 1 " + "".join(row.hex() for row in rows)
    if "screenshot" in request:
        clip = {}
        if request.get("clip"):
            x, y, width, height = (float(v) for v in request["clip"].split())
            clip = {"clip": {"x": x, "y": y, "width": width, "height": height, "scale": 1}}
        shot = browser.call("Page.captureScreenshot", format="png", **clip)
        with open(request["screenshot"], "wb") as out:
            out.write(base64.b64decode(shot["data"]))
        return request["screenshot"]
    raise chromium.PageError(f"unknown request {request}")


def main():
    page = sys.argv[1]
    hash_part = "#" + " ".join(sys.argv[2:]) if len(sys.argv) > 2 else ""
    with chromium.Chromium(on_event=print_console) as browser:
        browser.call("Runtime.enable")
        browser.call("Accessibility.enable")
        # The page is the one in front, and may use the clipboard.
        browser.call("Emulation.setFocusEmulationEnabled", enabled=True)
        browser.call("Browser.grantPermissions", permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        browser.call("Page.enable")
        browser.call("Page.navigate", url="file://" + os.path.abspath(page) + hash_part)
        browser.wait_for("Page.loadEventFired")
        while True:
            request = browser.evaluate(
                "new Promise(function wait(done) {"
                "  window.tvTest ? done(tvTest.next()) : setTimeout(function () { wait(done); }, 10); })")
            if "exit" in request:
                return int(request["exit"])
            try:
                answer = perform(browser, request)
            except chromium.PageError as error:
                print(f"run_page_test: {error}", flush=True)
                answer = None
            browser.evaluate(f"tvTest.finish({json.dumps(answer)})", wait=False)


if __name__ == "__main__":
    sys.exit(main())
