#!/usr/bin/env python3
"""ui/web/pack_page.py on a small page of its own: the script goes inline
where its tag was, the module comes back byte for byte from tvModule as the
browser unpacks it (base64, then gzip), nothing is left beside the page; and
a page it cannot make one file is refused, untouched.

    pack_page_test.py [ZOPFLI]    (with zopfli's path, its compression too)
"""

import base64
import gzip
import os
import pathlib
import re
import subprocess
import sys
import tempfile

PACKER = pathlib.Path(__file__).resolve().parents[2] / "ui" / "web" / "pack_page.py"
MODULE = bytes(range(256)) * 40 + "中性点深度比".encode()  # compressible, every byte value
TAG = '<script async type="text/javascript" src="page.js"></script>'


def pack(folder, html, script, zopfli=None):
    (folder / "page.html").write_text(html, encoding="utf-8")
    (folder / "page.js").write_text(script, encoding="utf-8")
    (folder / "page.wasm").write_bytes(MODULE)
    command = [sys.executable, str(PACKER)] + (["--zopfli", zopfli] if zopfli else []) + [str(folder / "page.html")]
    return subprocess.run(command, capture_output=True, text=True)


def packs(folder, zopfli):
    run = pack(folder, "<body>\n" + TAG + "\n</body>", 'var tv = "页";', zopfli)
    assert run.returncode == 0, run.stderr
    page = (folder / "page.html").read_text(encoding="utf-8")
    packed = re.fullmatch(r'<body>\n<script>var tvModule="([A-Za-z0-9+/=]+)";\nvar tv = "页";</script>\n</body>', page)
    assert packed, page
    assert gzip.decompress(base64.b64decode(packed.group(1))) == MODULE
    assert sorted(os.listdir(folder)) == ["page.html"]


def refuses(folder, html, script):
    run = pack(folder, html, script)
    assert run.returncode != 0, "packed"
    assert (folder / "page.html").read_text(encoding="utf-8") == html
    assert (folder / "page.js").exists() and (folder / "page.wasm").exists()


CASES = {
    "zlib_packs_the_script_inline_and_the_module_whole": lambda f: packs(f, None),
    "a_page_without_the_script_tag_is_refused": lambda f: refuses(f, "<body></body>", "var tv;"),
    "a_page_with_the_tag_twice_is_refused": lambda f: refuses(f, TAG + TAG, "var tv;"),
    "a_script_that_would_end_the_inline_script_is_refused": lambda f: refuses(f, TAG, 'var s = "</SCRIPT>";'),
}
if len(sys.argv) > 1:
    CASES["zopfli_packs_the_script_inline_and_the_module_whole"] = lambda f: packs(f, sys.argv[1])


def main():
    failed = 0
    for name, case in CASES.items():
        with tempfile.TemporaryDirectory() as folder:
            try:
                case(pathlib.Path(folder))
            except AssertionError as error:
                failed += 1
                print(f"FAILED {name}: {error}")
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
