#!/usr/bin/env python3
"""Writes the seed corpus of friction_fuzzer into fuzz/corpus/ and its
dictionary into fuzz/friction.dict.

One file per input. The fields are cut at '\\n', in the fuzzer's order:
layer count, γ1, h1, γ2, h2, γ3, h3, γ4, h4, γ5, h5, cause, ξn, p.
A field "\\x01" + one byte picks an entry of that field's drop-down list.

Run it again after changing the seeds: python3 fuzz/make_corpus.py
It empties fuzz/corpus/ first, so the directory holds exactly these seeds.
"""

from pathlib import Path

GROUNDWATER = "降低地下水"
SURCHARGE = "地面有满布荷载"

COUNTS = ["1.0", "2.0", "3.0", "4.0", "5.0"]
UNIT_WEIGHTS = ["17", "17.5", "18", "18.5", "19", "19.5", "20"]
THICKNESSES = [f"{0.5 * k:.1f}" for k in range(2, 19)] + [str(k) for k in range(10, 31)]
COEFFICIENTS = ["0.15", "0.16", "0.17", "0.18", "0.19", "0.2", "0.21", "0.22", "0.23", "0.24", "0.25",
                "0.26", "0.27", "0.28", "0.29", "0.3", "0.31", "0.32", "0.33", "0.34", "0.35"]
LOADS = ["5.0"] + [str(k) for k in range(10, 31)] + ["35", "40"]


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


SEEDS = {}

# Worked cases, checked by hand.
SEEDS["worked-one-layer-groundwater"] = form("1.0", [("17.5", "3.0")], GROUNDWATER, "0.2")
SEEDS["worked-two-layers-groundwater"] = form("2.0", [("18", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25")
SEEDS["worked-two-layers-surcharge"] = form("2.0", [("18", "2.0"), ("19", "3.0")], SURCHARGE, "0.25", "10")
SEEDS["worked-two-layers-thickness-2.3"] = form("2.0", [("18", "2"), ("19", "2.3")], GROUNDWATER, "0.25")
SEEDS["worked-two-layers-thickness-2.3-surcharge"] = form("2", [("18", "2"), ("19", "2.3")], SURCHARGE, "0.3",
                                                          "10")
# σi' = 8.5 with ξn = 0.3: 2.5499999999999998 shows as 2.6.
SEEDS["rounding-friction-2.55"] = form("1.0", [("17", "1.0")], GROUNDWATER, "0.3")

# Every entry of every list, spread over a few complete forms.
for n, count in enumerate(COUNTS, start=1):
    layers = []
    for i in range(n):
        k = 5 * (n - 1) + i
        layers.append((UNIT_WEIGHTS[k % len(UNIT_WEIGHTS)], THICKNESSES[(3 * k) % len(THICKNESSES)]))
    SEEDS[f"lists-{n}-layers-groundwater"] = form(count, layers, GROUNDWATER, COEFFICIENTS[(4 * n) % 21])
    SEEDS[f"lists-{n}-layers-surcharge"] = form(count, layers, SURCHARGE, COEFFICIENTS[(4 * n + 2) % 21],
                                                LOADS[(5 * n) % len(LOADS)])
SEEDS["lists-all-unit-weights"] = form("5.0", [(g, "1.0") for g in UNIT_WEIGHTS[:5]], GROUNDWATER, "0.15")
SEEDS["lists-thickest-layers"] = form("5.0", [("20", t) for t in THICKNESSES[-5:]], SURCHARGE, "0.35", "40")
SEEDS["lists-thinnest-layers"] = form("5.0", [("17", t) for t in THICKNESSES[:5]], SURCHARGE, "0.15", "5.0")

# The same through the fuzzer's list picks.
SEEDS["pick-two-layers-surcharge"] = form(pick(1), [(pick(2), pick(4)), (pick(6), pick(37))], pick(1), pick(20),
                                          pick(23))
SEEDS["pick-five-layers-groundwater"] = form(pick(4), [(pick(k), pick(7 * k)) for k in range(5)], pick(0),
                                             pick(10))
SEEDS["pick-with-trailing-text"] = form(pick(2) + "0", [(pick(1), pick(3) + " ")] * 3, pick(1) + " ", pick(5),
                                        pick(0) + "x")

# The cause: exact text only.
SEEDS["cause-empty"] = form("2.0", [("18", "2.0"), ("19", "3.0")], "", "0.25")
SEEDS["cause-trailing-blank"] = form("2.0", [("18", "2.0"), ("19", "3.0")], GROUNDWATER + " ", "0.25")
SEEDS["cause-surcharge-ideographic-space"] = form("1.0", [("18", "2.0")], "\u3000" + SURCHARGE, "0.25", "10")
SEEDS["cause-other-one-layer-no-unit-weight"] = form("1.0", [("", "2.0")], "other", "0.25")
SEEDS["cause-groundwater-load-unread"] = form("2.0", [("18", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25",
                                              "not a number")
SEEDS["cause-surcharge-load-missing"] = form("2.0", [("18", "2.0"), ("19", "3.0")], SURCHARGE, "0.25", "")

# The layer count.
SEEDS["count-3.5"] = form("3.5", [("18", "2.0")] * 3, GROUNDWATER, "0.25")
SEEDS["count-6"] = form("6", [("18", "2.0")] * 5, GROUNDWATER, "0.25")
SEEDS["count-0"] = form("0", [], GROUNDWATER, "-0.25")
SEEDS["count-empty"] = form("", [("18", "2.0")], GROUNDWATER, "0.25")
SEEDS["count-full-width"] = form("３．００", [("18", "2.0")] * 3, GROUNDWATER, "0.25")
SEEDS["count-2-garbage-below"] = form("2", [("18", "2.0"), ("19", "3.0"), ("x", "1e400"), ("", "-")],
                                      GROUNDWATER, "0.25")

# Thicknesses.
SEEDS["thickness-zero-two-layers"] = form("2.0", [("18", "0"), ("19", "0.0")], GROUNDWATER, "0.25")
SEEDS["thickness-zero-one-layer"] = form("1.0", [("18", "0")], GROUNDWATER, "0.25")
SEEDS["thickness-cancelling"] = form("3.0", [("18", "1"), ("19", "-1"), ("20", "0")], SURCHARGE, "0.25", "10")
SEEDS["thickness-negative"] = form("2.0", [("18", "-2.0"), ("19", "3.0")], GROUNDWATER, "0.25")
SEEDS["thickness-layer2-beyond-float"] = form("2.0", [("18", "2.0"), ("19", "1e39")], GROUNDWATER, "0.25")
SEEDS["thickness-subnormal"] = form("2.0", [("18", "1e-320"), ("19", "5e-324")], GROUNDWATER, "0.25")
SEEDS["thickness-below-subnormal"] = form("2.0", [("18", "1e-400"), ("19", "0")], GROUNDWATER, "0.25")

# Number texts as typed.
SEEDS["number-full-width"] = form("１", [("１７．５", "３．０")], GROUNDWATER, "０．２")
SEEDS["number-full-width-signs"] = form("2.0", [("＋１８", "２Ｅ０"), ("19", "３ｅ０")], SURCHARGE, "0.25",
                                        "－５")
SEEDS["number-blanks"] = form(" 2.0 ", [("\t18", "2.0\u3000"), ("19 ", " 3.0")], GROUNDWATER, " 0.25")
SEEDS["number-short-forms"] = form("2.", [(".5e2", "2."), ("+19", ".3e1")], GROUNDWATER, "25e-2")
SEEDS["number-decimal-comma"] = form("2.0", [("18,5", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25")
SEEDS["number-inf-nan"] = form("2.0", [("inf", "2.0"), ("nan", "3.0")], GROUNDWATER, "0.25")
SEEDS["number-hex"] = form("2.0", [("0x12", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25")
SEEDS["number-1e400"] = form("2.0", [("1e400", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25")
# A byte that is no UTF-8 at all inside a unit weight.
SEEDS["number-invalid-utf8"] = form("2.0", [("1@8", "2.0"), ("19", "3.0")], GROUNDWATER, "0.25").replace(b"@", b"\xff")

# Overflow in each step.
SEEDS["overflow-weight"] = form("2.0", [("1e200", "1e200"), ("19", "3.0")], GROUNDWATER, "0.25")
SEEDS["overflow-weight-sum"] = form("2.0", [("1e300", "1e8"), ("1e300", "1e8")], GROUNDWATER, "0.25")
SEEDS["overflow-thickness-sum"] = form("3.0", [("0", "1.7e308"), ("0", "1"), ("0", "1.7e308")], GROUNDWATER,
                                       "0.25")
SEEDS["overflow-mean-unit-weight"] = form("2.0", [("1e300", "1e-100"), ("0", "-1e-100")], GROUNDWATER, "0.25")
SEEDS["overflow-stress"] = form("1.0", [("1e300", "1e300")], GROUNDWATER, "0.25")
SEEDS["overflow-load"] = form("2.0", [("1e300", "1e7"), ("1e300", "1e7")], SURCHARGE, "0.25", "1.7e308")
SEEDS["overflow-friction"] = form("2.0", [("18", "2.0"), ("19", "3.0")], GROUNDWATER, "1e308")
SEEDS["largest-stress"] = form("1.0", [("0", "2.0")], SURCHARGE, "1", "1.7976931348623157e308")
SEEDS["negative-zero-friction"] = form("2.0", [("-0", "2.0"), ("0", "3.0")], GROUNDWATER, "-0.25")

SEEDS["empty"] = b""

# libFuzzer's dictionary: pieces of the form's texts, for its mutations.
DICTIONARY = [
    ("cause_groundwater", GROUNDWATER),
    ("cause_surcharge", SURCHARGE),
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


def main():
    corpus = Path(__file__).resolve().parent / "corpus"
    corpus.mkdir(exist_ok=True)
    for old in corpus.iterdir():
        old.unlink()
    for name, data in sorted(SEEDS.items()):
        (corpus / name).write_bytes(data)
    lines = ["# libFuzzer dictionary of friction_fuzzer, written by make_corpus.py."]
    lines += [dictionary_entry(name, text) for name, text in DICTIONARY]
    (corpus.parent / "friction.dict").write_text("\n".join(lines) + "\n", encoding="ascii")
    print(f"{len(SEEDS)} seeds in {corpus}, dictionary in {corpus.parent / 'friction.dict'}")


if __name__ == "__main__":
    main()
