#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets and their dictionaries:
friction_fuzzer's into fuzz/corpus/ and fuzz/friction.dict, downdrag_fuzzer's
into fuzz/downdrag_corpus/ and fuzz/downdrag.dict.

One file per input. The fields are cut at '\\n', in the fuzzer's order:
friction_fuzzer: layer count, γ1, h1, γ2, h2, γ3, h3, γ4, h4, γ5, h5, cause,
ξn, p; downdrag_fuzzer: layer count, γ1, h1, … γ5, h5, cause, p, ξn1 … ξn5,
q1sk … q5sk, ln/l0, shape (an odd first byte for a square pile), d or b,
sax, say, t. A field "\\x01" + one byte picks an entry of that field's list.

The drop-down lists come from the program itself, printed by its tool
tavrelo-print-lists (tools/print_lists.cpp); give its path, or let the script
take the newest one under build/.

    python3 fuzz/make_corpus.py [TOOL]           # rewrite the corpus and the dictionary
    python3 fuzz/make_corpus.py --check [TOOL]   # only compare; exit 1 when they differ

Writing empties fuzz/corpus/ first, so the directory holds exactly these seeds.
"""

import argparse
import json
import subprocess
import sys
from pathlib import Path

FUZZ = Path(__file__).resolve().parent
ROOT = FUZZ.parent
LISTS_HEADER = ROOT / "ui" / "control_lists.h"
TOOL_NAMES = ("tavrelo-print-lists", "tavrelo-print-lists.exe")


def find_tool():
    """The newest tavrelo-print-lists under build/; it must be newer than the
    lists' header, or it may print lists that are no longer the program's."""
    tools = [path for name in TOOL_NAMES for path in (ROOT / "build").glob(f"*/tools/{name}")]
    if not tools:
        sys.exit("make_corpus: no build/*/tools/tavrelo-print-lists; build one "
                 "(cmake --build build/dev --target tavrelo-print-lists) or give its path")
    tool = max(tools, key=lambda path: path.stat().st_mtime)
    if tool.stat().st_mtime < LISTS_HEADER.stat().st_mtime:
        sys.exit(f"make_corpus: {tool} is older than {LISTS_HEADER}; rebuild it")
    return tool


def read_lists(tool):
    """The program's drop-down lists, name -> entries."""
    output = subprocess.run([str(tool)], check=True, stdout=subprocess.PIPE).stdout
    lists = json.loads(output.decode("utf-8"))
    for name in ("layer_counts", "unit_weights", "depths", "causes", "coefficients", "loads"):
        entries = lists.get(name)
        if not entries or not all(isinstance(entry, str) and entry for entry in entries):
            sys.exit(f"make_corpus: {tool} prints no list {name!r} of texts")
    return lists


def form(count, layers, cause, coefficient, load="", rows=5):
    """The texts of a form: `layers` lists (γ, h) from the top; the rows
    below stay as the window leaves them (empty)."""
    fields = [count]
    padded = list(layers) + [("", "")] * (rows - len(layers))
    for gamma, h in padded:
        fields += [gamma, h]
    fields += [cause, coefficient, load]
    return "\n".join(fields).encode("utf-8")


def pick(index):
    """A field that picks list entry `index` in the fuzzer."""
    return "\x01" + chr(index)


def build_seeds(lists):
    """The seeds, file name -> bytes, with the entries of `lists`."""
    counts = lists["layer_counts"]
    unit_weights = lists["unit_weights"]
    thicknesses = lists["depths"]
    groundwater, surcharge = lists["causes"]
    coefficients = lists["coefficients"]
    loads = lists["loads"]
    seeds = {}

    # Worked cases, checked by hand.
    seeds["worked-one-layer-groundwater"] = form("1.0", [("17.5", "3.0")], groundwater, "0.2")
    seeds["worked-two-layers-groundwater"] = form("2.0", [("18", "2.0"), ("19", "3.0")], groundwater, "0.25")
    seeds["worked-two-layers-surcharge"] = form("2.0", [("18", "2.0"), ("19", "3.0")], surcharge, "0.25", "10")
    seeds["worked-two-layers-thickness-2.3"] = form("2.0", [("18", "2"), ("19", "2.3")], groundwater, "0.25")
    seeds["worked-two-layers-thickness-2.3-surcharge"] = form("2", [("18", "2"), ("19", "2.3")], surcharge, "0.3",
                                                              "10")
    # σi' = 8.5 with ξn = 0.3: 2.5499999999999998 shows as 2.6.
    seeds["rounding-friction-2.55"] = form("1.0", [("17", "1.0")], groundwater, "0.3")

    # Every entry of every list, spread over a few complete forms.
    for n, count in enumerate(counts, start=1):
        layers = []
        for i in range(n):
            k = 5 * (n - 1) + i
            layers.append((unit_weights[k % len(unit_weights)], thicknesses[(3 * k) % len(thicknesses)]))
        xi = coefficients[(4 * n) % len(coefficients)]
        xi_loaded = coefficients[(4 * n + 2) % len(coefficients)]
        seeds[f"lists-{n}-layers-groundwater"] = form(count, layers, groundwater, xi)
        seeds[f"lists-{n}-layers-surcharge"] = form(count, layers, surcharge, xi_loaded, loads[(5 * n) % len(loads)])
    seeds["lists-all-unit-weights"] = form("5.0", [(g, "1.0") for g in unit_weights[:5]], groundwater, "0.15")
    seeds["lists-thickest-layers"] = form("5.0", [("20", t) for t in thicknesses[-5:]], surcharge, "0.35", "40")
    seeds["lists-thinnest-layers"] = form("5.0", [("17", t) for t in thicknesses[:5]], surcharge, "0.15", "5.0")

    # The same through the fuzzer's list picks.
    seeds["pick-two-layers-surcharge"] = form(pick(1), [(pick(2), pick(4)), (pick(6), pick(37))], pick(1), pick(20),
                                              pick(23))
    seeds["pick-five-layers-groundwater"] = form(pick(4), [(pick(k), pick(7 * k)) for k in range(5)], pick(0),
                                                 pick(10))
    seeds["pick-with-trailing-text"] = form(pick(2) + "0", [(pick(1), pick(3) + " ")] * 3, pick(1) + " ", pick(5),
                                            pick(0) + "x")

    # The cause: exact text only.
    seeds["cause-empty"] = form("2.0", [("18", "2.0"), ("19", "3.0")], "", "0.25")
    seeds["cause-trailing-blank"] = form("2.0", [("18", "2.0"), ("19", "3.0")], groundwater + " ", "0.25")
    seeds["cause-surcharge-ideographic-space"] = form("1.0", [("18", "2.0")], "\u3000" + surcharge, "0.25", "10")
    seeds["cause-other-one-layer-no-unit-weight"] = form("1.0", [("", "2.0")], "other", "0.25")
    seeds["cause-groundwater-load-unread"] = form("2.0", [("18", "2.0"), ("19", "3.0")], groundwater, "0.25",
                                                  "not a number")
    seeds["cause-surcharge-load-missing"] = form("2.0", [("18", "2.0"), ("19", "3.0")], surcharge, "0.25", "")

    # The layer count.
    seeds["count-3.5"] = form("3.5", [("18", "2.0")] * 3, groundwater, "0.25")
    seeds["count-6"] = form("6", [("18", "2.0")] * 5, groundwater, "0.25")
    seeds["count-0"] = form("0", [], groundwater, "-0.25")
    seeds["count-empty"] = form("", [("18", "2.0")], groundwater, "0.25")
    seeds["count-full-width"] = form("３．００", [("18", "2.0")] * 3, groundwater, "0.25")
    seeds["count-2-garbage-below"] = form("2", [("18", "2.0"), ("19", "3.0"), ("x", "1e400"), ("", "-")],
                                          groundwater, "0.25")

    # Thicknesses.
    seeds["thickness-zero-two-layers"] = form("2.0", [("18", "0"), ("19", "0.0")], groundwater, "0.25")
    seeds["thickness-zero-one-layer"] = form("1.0", [("18", "0")], groundwater, "0.25")
    seeds["thickness-cancelling"] = form("3.0", [("18", "1"), ("19", "-1"), ("20", "0")], surcharge, "0.25", "10")
    seeds["thickness-negative"] = form("2.0", [("18", "-2.0"), ("19", "3.0")], groundwater, "0.25")
    seeds["thickness-layer2-beyond-float"] = form("2.0", [("18", "2.0"), ("19", "1e39")], groundwater, "0.25")
    seeds["thickness-subnormal"] = form("2.0", [("18", "1e-320"), ("19", "5e-324")], groundwater, "0.25")
    seeds["thickness-below-subnormal"] = form("2.0", [("18", "1e-400"), ("19", "0")], groundwater, "0.25")

    # Number texts as typed.
    seeds["number-full-width"] = form("１", [("１７．５", "３．０")], groundwater, "０．２")
    seeds["number-full-width-signs"] = form("2.0", [("＋１８", "２Ｅ０"), ("19", "３ｅ０")], surcharge, "0.25",
                                            "－５")
    seeds["number-blanks"] = form(" 2.0 ", [("\t18", "2.0\u3000"), ("19 ", " 3.0")], groundwater, " 0.25")
    seeds["number-short-forms"] = form("2.", [(".5e2", "2."), ("+19", ".3e1")], groundwater, "25e-2")
    seeds["number-decimal-comma"] = form("2.0", [("18,5", "2.0"), ("19", "3.0")], groundwater, "0.25")
    seeds["number-inf-nan"] = form("2.0", [("inf", "2.0"), ("nan", "3.0")], groundwater, "0.25")
    seeds["number-hex"] = form("2.0", [("0x12", "2.0"), ("19", "3.0")], groundwater, "0.25")
    seeds["number-1e400"] = form("2.0", [("1e400", "2.0"), ("19", "3.0")], groundwater, "0.25")
    # A byte that is no UTF-8 at all inside a unit weight.
    seeds["number-invalid-utf8"] = form("2.0", [("1@8", "2.0"), ("19", "3.0")], groundwater,
                                        "0.25").replace(b"@", b"\xff")

    # Overflow in each step.
    seeds["overflow-weight"] = form("2.0", [("1e200", "1e200"), ("19", "3.0")], groundwater, "0.25")
    seeds["overflow-weight-sum"] = form("2.0", [("1e300", "1e8"), ("1e300", "1e8")], groundwater, "0.25")
    seeds["overflow-thickness-sum"] = form("3.0", [("0", "1.7e308"), ("0", "1"), ("0", "1.7e308")], groundwater,
                                           "0.25")
    seeds["overflow-mean-unit-weight"] = form("2.0", [("1e300", "1e-100"), ("0", "-1e-100")], groundwater, "0.25")
    seeds["overflow-stress"] = form("1.0", [("1e300", "1e300")], groundwater, "0.25")
    seeds["overflow-load"] = form("2.0", [("1e300", "1e7"), ("1e300", "1e7")], surcharge, "0.25", "1.7e308")
    seeds["overflow-friction"] = form("2.0", [("18", "2.0"), ("19", "3.0")], groundwater, "1e308")
    seeds["largest-stress"] = form("1.0", [("0", "2.0")], surcharge, "1", "1.7976931348623157e308")
    seeds["negative-zero-friction"] = form("2.0", [("-0", "2.0"), ("0", "3.0")], groundwater, "-0.25")

    # The layered sum beside the window: where they part and where only one of them fails.
    seeds["layered-three-layers-rising"] = form("3.0", [("18", "2.0"), ("19", "3.0"), ("20", "4.0")], groundwater,
                                                "0.25")
    seeds["layered-falling-unit-weights"] = form("2.0", [("20", "2.0"), ("18", "3.0")], surcharge, "0.25", "10")
    seeds["layered-zero-thicknesses"] = form("3.0", [("18", "0"), ("19", "0"), ("20", "0.0")], surcharge, "0.25",
                                             "10")
    seeds["layered-overflow-one-layer-weight"] = form("1.0", [("1e308", "3")], groundwater, "0.25")
    seeds["layered-overflow-upper-layer-load"] = form("3", [("1.79e308", "1"), ("-1.79e308", "1"), ("2", "1")],
                                                      surcharge, "0.25", "1e308")

    seeds["empty"] = b""
    return seeds


def downdrag_form(count, layers, cause, xis, load="", caps=(), ratio="0.9", shape="r", size="0.6", sx="", sy="",
                  t="", rows=5):
    """The texts of the downdrag load's fields over a main window's: `layers`
    lists (γ, h) from the top, `xis` and `caps` ξni and qsik from the top; the
    rest stays empty. A shape "s" (odd) is a square pile, "r" a round one."""
    fields = [count]
    for gamma, h in list(layers) + [("", "")] * (rows - len(layers)):
        fields += [gamma, h]
    fields += [cause, load]
    fields += list(xis) + [""] * (rows - len(xis))
    fields += list(caps) + [""] * (rows - len(caps))
    fields += [ratio, shape, size, sx, sy, t]
    return "\n".join(fields).encode("utf-8")


def build_downdrag_seeds(lists):
    """downdrag_fuzzer's seeds, file name -> bytes."""
    groundwater, surcharge = lists["causes"]
    coefficients = lists["coefficients"]
    typical = [("18", "2.0"), ("19", "3.0")]
    xis = ["0.30", "0.25"]
    seeds = {}

    def typical_form(**changes):
        args = dict(count="2.0", layers=typical, cause=groundwater, xis=xis)
        args.update(changes)
        return downdrag_form(**args)

    # Worked cases, checked by hand (tests/core/downdrag_load_test.cpp).
    seeds["worked-single-round"] = typical_form()
    seeds["worked-cap-layer-2"] = typical_form(caps=["", "12"])
    seeds["worked-surface-load"] = typical_form(cause=surcharge, load="10")
    seeds["worked-group-1.0"] = typical_form(sx="1.0", sy="1.0")
    seeds["worked-group-1.8-capped"] = typical_form(sx="1.8", sy="1.8")
    seeds["worked-square"] = typical_form(shape="s", size="0.4")
    seeds["worked-square-group"] = typical_form(shape="s", size="0.4", sx="1.0", sy="1.0")
    seeds["worked-ratio-0.5"] = typical_form(ratio="0.5")
    seeds["worked-pile-top-1.0"] = typical_form(t="1.0")
    seeds["worked-ratio-0-group"] = typical_form(ratio="0", sx="1.0", sy="1.0")
    seeds["worked-thickness-2.3"] = typical_form(layers=[("18", "2.0"), ("19", "2.3")])
    seeds["worked-three-layers-buoyant-group"] = downdrag_form(
        "3", [("18", "1.5"), ("17.5", "2.0"), ("9", "6.0")], groundwater, ["0.35", "0.25", "0.20"], ratio="0.8",
        size="0.8", sx="1.6", sy="1.6", t="1.0")
    seeds["worked-five-layers-fill"] = downdrag_form(
        "5.0", [("18", "1.0"), ("17", "2.0"), ("8", "4.0"), ("8.5", "3.0"), ("9.5", "2.0")], surcharge,
        ["0.35", "0.30", "0.20", "0.20", "0.30"], load="20", caps=["", "", "15", "20", ""], shape="s", size="0.5")

    # Neutral points and pile tops on layer boundaries, where a layer enters by a hair or not at all.
    seeds["boundary-neutral-point-at-layer-bottom"] = typical_form(ratio="0.4")
    seeds["boundary-pile-top-at-layer-bottom"] = typical_form(t="2.0", ratio="1")
    seeds["boundary-unread-layers-junk"] = downdrag_form(
        "3", [("18", "2.0"), ("19", "3.0"), ("20", "4.0")], groundwater, ["x", "0.25", "1e400"], caps=["-1", "", "x"],
        ratio="0.2", t="2.5")
    seeds["boundary-zero-thickness-layer"] = downdrag_form(
        "3", [("18", "2.0"), ("19", "0"), ("20", "4.0")], groundwater, ["0.3", "x", "0.2"], sx="2", sy="2")

    # Each refusal, in the order of the fields.
    seeds["refuse-count-6"] = typical_form(count="6")
    seeds["refuse-unit-weight-negative"] = typical_form(layers=[("18", "2.0"), ("-19", "3.0")])
    seeds["refuse-layer-2-beyond-float"] = typical_form(layers=[("18", "2.0"), ("19", "1e39")])
    seeds["refuse-cause-other"] = typical_form(cause="other")
    seeds["refuse-load-negative"] = typical_form(cause=surcharge, load="-10")
    seeds["refuse-size-zero"] = typical_form(size="0")
    seeds["refuse-spacing-alone"] = typical_form(sx="1.0")
    seeds["refuse-spacing-negative"] = typical_form(sx="-1", sy="1")
    seeds["refuse-pile-top-on-bearing-stratum"] = typical_form(t="5.0")
    seeds["refuse-ratio-above-one"] = typical_form(ratio="1.1")
    seeds["refuse-ratio-blank"] = typical_form(ratio="")
    seeds["refuse-coefficient-blank"] = typical_form(xis=["0.30"])
    seeds["refuse-coefficient-above-one"] = typical_form(xis=["0.30", "1.5"])
    seeds["refuse-side-resistance-negative"] = typical_form(caps=["-5"])
    seeds["refuse-group-no-weight"] = typical_form(layers=[("0", "2.0"), ("0", "3.0")], sx="1", sy="1")

    # Overflow in each kind of step.
    seeds["overflow-thickness-sum"] = downdrag_form("3", [("18", "1.7e308"), ("19", "1"), ("20", "1.7e308")],
                                                    groundwater, ["0.3"] * 3)
    seeds["overflow-weight"] = typical_form(layers=[("1e300", "1e10"), ("19", "3.0")])
    seeds["overflow-load"] = typical_form(layers=[("1e308", "2.0"), ("19", "3.0")], cause=surcharge, load="1e308")
    seeds["overflow-perimeter"] = typical_form(size="1e308")
    seeds["overflow-group-factor"] = typical_form(layers=[("1e-300", "2.0"), ("1e-300", "3.0")], cause=surcharge,
                                                  load="1e300", size="1e-100", sx="1e300", sy="1e300")
    seeds["underflow-group-factor-spacings"] = typical_form(sx="1e-200", sy="1e-200")
    seeds["underflow-group-factor-quotient"] = typical_form(size="1e100", sx="1e-160", sy="1e-160")
    seeds["tiny-ratio-group"] = typical_form(ratio="1e-30", t="1.0", sx="1", sy="1")

    # Number texts as typed.
    seeds["number-full-width"] = typical_form(layers=[("１８", "２．０"), ("19", "3.0")], xis=["０．３０", "0.25"],
                                              ratio="\u3000０．９ ", size="０．６", t="\u3000")
    seeds["number-decimal-comma"] = typical_form(sx="1.0", sy="1,0")

    # Through the fuzzer's list picks.
    seeds["pick-all-fields"] = downdrag_form(pick(2), [(pick(k), pick(3 * k + 1)) for k in range(3)], pick(1),
                                             [pick(k) for k in range(3)], load=pick(4), caps=[pick(1), pick(2), ""],
                                             ratio=pick(5), size=pick(3), sx=pick(2), sy=pick(4), t=pick(3))
    seeds["pick-five-layers"] = downdrag_form(pick(4), [(pick(k), pick(7 * k)) for k in range(5)], pick(0),
                                              [pick(4 * k) for k in range(5)], ratio=pick(7), shape="s",
                                              size=pick(1), t=pick(2))
    seeds["lists-coefficients"] = downdrag_form("5.0", [("18", "1.0")] * 5, groundwater, coefficients[-5:],
                                                ratio="1", size="1.0")
    seeds["empty"] = b""
    return seeds


def build_downdrag_dictionary(lists):
    """downdrag_fuzzer's dictionary."""
    groundwater, surcharge = lists["causes"]
    return [
        ("cause_groundwater", groundwater), ("cause_surcharge", surcharge),
        ("separator", "\n"), ("pick", "\x01"),
        ("fw_zero", "０"), ("fw_one", "１"), ("fw_point", "．"), ("fw_minus", "－"),
        ("ideographic_space", "\u3000"), ("point", "."), ("minus", "-"), ("exponent_large", "e308"),
        ("exponent_huge", "e400"), ("exponent_tiny", "e-30"), ("float_edge", "3.4028235e38"),
        ("double_edge", "1.7976931348623157e308"), ("minus_zero", "-0"),
        ("square", "s"), ("round", "r"), ("ratio", "0.9"), ("one", "1"), ("zero", "0"), ("size", "0.6"),
        ("spacing", "1.8"), ("thickness", "2.3"), ("coefficient", "0.25"), ("cap", "12"),
    ]


def build_dictionary(lists):
    """libFuzzer's dictionary: pieces of the form's texts, for its mutations."""
    groundwater, surcharge = lists["causes"]
    return [
        ("cause_groundwater", groundwater),
        ("cause_surcharge", surcharge),
        ("separator", "\n"),  # between fields
        ("pick", "\x01"),  # a list entry, chosen by the next byte
        ("fw_zero", "０"), ("fw_one", "１"), ("fw_two", "２"), ("fw_five", "５"), ("fw_nine", "９"),
        ("fw_point", "．"), ("fw_plus", "＋"), ("fw_minus", "－"), ("fw_e", "ｅ"), ("fw_E", "Ｅ"),
        ("ideographic_space", "\u3000"), ("tab", "\t"),
        ("point", "."), ("exponent", "e"), ("exponent_negative", "e-"), ("exponent_large", "e308"),
        ("exponent_huge", "e400"), ("exponent_tiny", "e-320"),
        ("float_edge", "3.4028235e38"), ("double_edge", "1.7976931348623157e308"), ("minus_zero", "-0"),
        ("count_two", "2.0"), ("count_five", "5.0"), ("unit_weight", "17.5"), ("thickness", "2.3"),
        ("coefficient", "0.25"),
        ("inf", "inf"), ("nan", "nan"), ("hex", "0x"), ("comma", ","),
    ]


def dictionary_entry(name, text):
    """One line of a libFuzzer dictionary: printable ASCII as is, every other
    byte as \\xNN."""
    escaped = "".join(chr(b) if 0x20 <= b < 0x7F and b not in b'"\\' else f"\\x{b:02X}"
                      for b in text.encode("utf-8"))
    return f'{name}="{escaped}"'

def dictionary_text(dictionary, target="friction_fuzzer"):
    lines = [f"# libFuzzer dictionary of {target}, written by make_corpus.py."]
    lines += [dictionary_entry(name, text) for name, text in dictionary]
    return ("\n".join(lines) + "\n").encode("ascii")


def differences(corpus, seeds, dictionary_file, dictionary):
    """What on disk is not what would be written: one line each."""
    found = {path.name: path for path in corpus.iterdir()} if corpus.is_dir() else {}
    lines = [f"missing seed {name}" for name in sorted(seeds.keys() - found.keys())]
    lines += [f"seed {name} is not written by this script" for name in sorted(found.keys() - seeds.keys())]
    lines += [f"seed {name} differs" for name in sorted(seeds.keys() & found.keys())
              if found[name].read_bytes() != seeds[name]]
    if not dictionary_file.is_file() or dictionary_file.read_bytes() != dictionary:
        lines.append(f"{dictionary_file.name} differs")
    return lines


def main():
    parser = argparse.ArgumentParser(description="Writes the seed corpora and the dictionaries of the fuzz targets.")
    parser.add_argument("tool", nargs="?", type=Path,
                        help="tavrelo-print-lists (default: the newest under build/)")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; exit 1 when a corpus or a dictionary is not what it would write")
    args = parser.parse_args()
    lists = read_lists(args.tool or find_tool())
    targets = [
        (FUZZ / "corpus", build_seeds(lists), FUZZ / "friction.dict",
         dictionary_text(build_dictionary(lists))),
        (FUZZ / "downdrag_corpus", build_downdrag_seeds(lists), FUZZ / "downdrag.dict",
         dictionary_text(build_downdrag_dictionary(lists), "downdrag_fuzzer")),
    ]

    if args.check:
        problems = []
        for corpus, seeds, dictionary_file, dictionary in targets:
            problems += [f"{corpus.name}: {line}" for line in differences(corpus, seeds, dictionary_file, dictionary)]
        for line in problems:
            print(f"make_corpus: {line}", file=sys.stderr)
        if problems:
            sys.exit("make_corpus: the corpora are not up to date; run python3 fuzz/make_corpus.py")
        counts = " and ".join(f"{len(seeds)} seeds in {corpus.name}/" for corpus, seeds, _, _ in targets)
        print(f"{counts} and the dictionaries are as make_corpus.py writes them")
        return

    for corpus, seeds, dictionary_file, dictionary in targets:
        corpus.mkdir(exist_ok=True)
        for old in corpus.iterdir():
            old.unlink()
        for name, data in sorted(seeds.items()):
            (corpus / name).write_bytes(data)
        dictionary_file.write_bytes(dictionary)
        print(f"{len(seeds)} seeds in {corpus}, dictionary in {dictionary_file}")


if __name__ == "__main__":
    main()
