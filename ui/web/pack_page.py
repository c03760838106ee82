#!/usr/bin/env python3
"""Makes a page as Emscripten linked it (NAME.html, with NAME.js and
NAME.wasm beside it) one self-contained file, as the page is passed round:

    pack_page.py [--zopfli PROGRAM] NAME.html

The script goes inline, where the shell's {{{ SCRIPT }}} put the tag that
loads it, and the module goes into it gzip-compressed and in base64, as the
string `tvModule`, which page.js's Module.instantiateWasm unpacks in the
browser (DecompressionStream). Base64 alone makes the module a third larger
than it is, and compresses worse than the module itself: compressed first,
the program's 158 KB module takes 91 KB of the page. The module is
compressed by zlib, or by the zopfli program named (the same format, some
5 % smaller, in seconds instead of milliseconds). NAME.js and NAME.wasm are
removed: nothing of the page may load them.
"""

import argparse
import base64
import pathlib
import subprocess
import sys
import zlib


def gzipped(path, zopfli):
    """The file at `path` in gzip's format, which DecompressionStream("gzip")
    reads; no name and no time in the header, so the same module packs the
    same."""
    if zopfli:
        return subprocess.run([zopfli, "--gzip", "-c", str(path)], capture_output=True, check=True).stdout
    # The smallest deflate zlib writes: level 9, the largest window and state.
    packer = zlib.compressobj(9, zlib.DEFLATED, 16 + 15, 9)
    return packer.compress(path.read_bytes()) + packer.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zopfli")
    parser.add_argument("page")
    options = parser.parse_args()
    page_path = pathlib.Path(options.page)
    script_path = page_path.with_suffix(".js")
    module_path = page_path.with_suffix(".wasm")
    tag = f'<script async type="text/javascript" src="{script_path.name}"></script>'
    page = page_path.read_text(encoding="utf-8")
    if page.count(tag) != 1:
        sys.exit(f"{page_path}: the page holds not exactly one {tag}")
    script = script_path.read_text(encoding="utf-8")
    if "</script" in script.lower():
        sys.exit(f"{script_path}: the script holds </script and cannot go inline")
    module = base64.b64encode(gzipped(module_path, options.zopfli)).decode("ascii")
    inline = f'<script>var tvModule="{module}";\n{script}</script>'
    page_path.write_bytes(page.replace(tag, inline).encode("utf-8"))
    script_path.unlink()
    module_path.unlink()


if __name__ == "__main__":
    main()
