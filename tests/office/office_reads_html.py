#!/usr/bin/env python3
"""A real word processor reads the reports' HTML: LibreOffice Writer, headless,
converts the layered report and the downdrag report of the typical use (as
tavrelo-print-report writes them) to .odt, and the document holds a table with
a header row and a row per layer, each row the numbers of that layer's line in
the plain text, a border on every cell, and the result.

    office_reads_html.py build/dev/tools/tavrelo-print-report

Exits 77 (CTest's skip) only where LibreOffice cannot be had: no soffice and no
package libreoffice-writer-nogui that apt knows. Where the package exists, a
missing soffice is a failure: scripts/test.sh installs it.
"""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

PACKAGE = "libreoffice-writer-nogui"
NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0",
}
# Each report: the layers it has rows for, numbers its rows must show, and its
# result as the plain text's bold value shows it.
REPORTS = {
    "layered": {"layers": 2, "numbers": ["18.00", "64.50"], "result": "16.1"},
    "downdrag": {"layers": 2, "numbers": ["18.00", "59.75", "14.94"], "result": "90.7"},
}
# A number as written, not the digit of a symbol (γ1, σ'1, qs2k): the same
# rule as the core's test of the two flavours.
NUMBER = re.compile(r"(?<![A-Za-z'\u0370-\u03ff])\d+(?:\.\d+)?")


def package_can_exist():
    apt_cache = shutil.which("apt-cache")
    if apt_cache is None:
        return False
    shown = subprocess.run([apt_cache, "show", PACKAGE], capture_output=True, text=True, check=False)
    return shown.returncode == 0 and "Package:" in shown.stdout


def tag(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


def check(name, expected, plain, odt):
    """The faults of one converted report, as sentences."""
    faults = []
    root = ET.fromstring(zipfile.ZipFile(odt).read("content.xml"))
    tables = root.findall(".//table:table", NS)
    if len(tables) != 1:
        return ["%s: %d tables, not one" % (name, len(tables))]
    rows = tables[0].findall(".//table:table-row", NS)
    if len(rows) != 1 + expected["layers"]:
        faults.append("%s: %d table rows, not a header and %d layers" % (name, len(rows), expected["layers"]))
    layer_lines = [line for line in plain.splitlines() if re.match(r"第\d+层  γ\d+ = ", line)]
    for i, (row, line) in enumerate(zip(rows[1:], layer_lines), start=1):
        cells = ["".join(cell.itertext()) for cell in row.findall("table:table-cell", NS)]
        shown = NUMBER.findall("|".join(cells))
        if shown != NUMBER.findall(line):
            faults.append("%s, layer %d: the row shows %s, the plain text %s" % (name, i, shown, NUMBER.findall(line)))
    text = "".join(root.find(".//office:text", NS).itertext())
    for number in expected["numbers"] + [expected["result"]]:
        if number not in text:
            faults.append("%s: %s is not in the document" % (name, number))
    bordered = {
        style.get(tag("style", "name"))
        for style in root.iter(tag("style", "style"))
        if any(
            props.get(tag("fo", "border"), "none") != "none"
            for props in style.iter(tag("style", "table-cell-properties"))
        )
    }
    for cell in tables[0].iter(tag("table", "table-cell")):
        if cell.get(tag("table", "style-name")) not in bordered:
            faults.append("%s: a cell without a border: %s" % (name, "".join(cell.itertext())))
            break
    return faults


def main():
    print_report = sys.argv[1]
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if soffice is None:
        if package_can_exist():
            print("soffice is missing: install %s (bash scripts/test.sh does)" % PACKAGE, file=sys.stderr)
            return 1
        print("SKIP: no soffice, and no package %s on this system" % PACKAGE)
        return 77
    with tempfile.TemporaryDirectory(prefix="tavrelo-office-") as folder:
        work = Path(folder)
        pages = []
        plains = {}
        for name in REPORTS:
            page = work / ("%s.html" % name)
            page.write_bytes(subprocess.run([print_report, name], capture_output=True, check=True).stdout)
            plains[name] = subprocess.run([print_report, name, "--text"], capture_output=True, check=True).stdout
            pages.append(str(page))
        # A profile of its own, so that neither a user's LibreOffice nor another
        # test's is touched or waited for; Writer's own HTML import, the one a
        # paste goes through (a file would open in Writer/Web).
        converted = subprocess.run(
            [soffice, "--headless", "--norestore", "-env:UserInstallation=%s" % (work / "profile").as_uri(),
             "--infilter=HTML (StarWriter)", "--convert-to", "odt", "--outdir", str(work)] + pages,
            capture_output=True, text=True, timeout=90, check=False)
        faults = []
        for name, expected in REPORTS.items():
            odt = work / ("%s.odt" % name)
            if not odt.exists():
                faults.append("%s: LibreOffice wrote no .odt (%s %s)" % (name, converted.stdout, converted.stderr))
                continue
            faults += check(name, expected, plains[name].decode("utf-8"), odt)
    for fault in faults:
        print(fault, file=sys.stderr)
    if not faults:
        print("LibreOffice Writer reads %s as tables of their layers" % ", ".join(REPORTS))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
