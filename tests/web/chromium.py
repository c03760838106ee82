"""Headless Chromium driven over the DevTools protocol on a pipe.

Chromium reads commands from its file descriptor 3 and writes answers and
events to its descriptor 4, each message JSON ended by a NUL byte
(--remote-debugging-pipe): no port, no network, no package beyond Python's
own library. Input sent with Input.dispatch*Event is trusted input, handled
by the page exactly as a user's keys and pointer.
"""

import fcntl
import json
import os
import shutil
import subprocess
import tempfile

# Headless, and quiet on a closed network: no background connections, no
# component or sync traffic, no QUIC.
FLAGS = [
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-extensions",
    "--disable-features=Translate,MediaRouter,OptimizationHints",
    "--remote-debugging-pipe",
]


class PageError(Exception):
    pass


class Chromium:
    """One headless Chromium with one page attached (flat session)."""

    def __init__(self, width=1024, height=768, on_event=None, binary=None):
        self.on_event = on_event or (lambda message: None)
        self.profile = tempfile.mkdtemp(prefix="tavrelo-chromium-")
        to_chromium = os.pipe()
        from_chromium = os.pipe()
        ends = (to_chromium[0], from_chromium[1])

        def give_ends():  # in the child: its ends as descriptors 3 and 4
            high = [fcntl.fcntl(end, fcntl.F_DUPFD, 10) for end in ends]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        self.process = subprocess.Popen(
            [binary or shutil.which("chromium") or "chromium", *FLAGS, f"--user-data-dir={self.profile}",
             f"--window-size={width},{height}", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=give_ends, pass_fds=(3, 4))
        os.close(to_chromium[0])
        os.close(from_chromium[1])
        self.writer = os.fdopen(to_chromium[1], "wb", buffering=0)
        self.reader = os.fdopen(from_chromium[0], "rb", buffering=0)
        self.pending = b""
        self.next_id = 0
        self.session = None
        pages = [t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page"]
        attached = self.call("Target.attachToTarget", targetId=pages[0]["targetId"], flatten=True)
        self.session = attached["sessionId"]

    # --- Messages ------------------------------------------------------------

    def _read(self):
        while b"\0" not in self.pending:
            chunk = self.reader.read(65536)
            if not chunk:
                raise PageError("Chromium closed its pipe")
            self.pending += chunk
        message, self.pending = self.pending.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, **params):
        """Sends a command (to the page's session once attached), handing the
        events that arrive meanwhile to on_event; returns its result."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session and not method.startswith(("Target.", "Browser.")):
            message["sessionId"] = self.session
        self.writer.write(json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read()
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise PageError(f"{method}: {answer['error'].get('message')}")
                return answer.get("result", {})
            self.on_event(answer)

    def wait_for(self, method):
        """Reads events until `method` arrives; the others go to on_event."""
        while True:
            event = self._read()
            if event.get("method") == method:
                return event.get("params", {})
            self.on_event(event)

    def evaluate(self, expression, wait=True):
        """The value of a JavaScript expression in the page (its promise's,
        awaited, when `wait`)."""
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=wait, returnByValue=True)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise PageError(details.get("exception", {}).get("description") or details.get("text"))
        return result["result"].get("value")

    def open(self, path):
        """Navigates to a file and waits for its load event."""
        self.call("Page.enable")
        self.call("Page.navigate", url="file://" + os.path.abspath(path))
        self.wait_for("Page.loadEventFired")

    # --- The user's input ------------------------------------------------------

    def click(self, x, y, button="left"):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            params = {"type": kind, "x": x, "y": y}
            if kind != "mouseMoved":
                params.update(button=button, clickCount=1)
            self.call("Input.dispatchMouseEvent", **params)

    def close(self):
        try:
            self.call("Browser.close")
        except (PageError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def console_text(event):
    """The text of a console message event, or None for any other event."""
    if event.get("method") != "Runtime.consoleAPICalled":
        return None
    return " ".join(str(arg.get("value", arg.get("description", ""))) for arg in event["params"].get("args", []))
