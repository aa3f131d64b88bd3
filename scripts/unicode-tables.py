#!/usr/bin/env python3
"""Writes src/format/unicode_tables.inc, the tables of format/unicode_normal.cpp, from the Unicode
Character Database (Debian's unicode-data package puts it in /usr/share/unicode):

    python3 scripts/unicode-tables.py /usr/share/unicode > src/format/unicode_tables.inc

Reads UnicodeData.txt, CompositionExclusions.txt and CaseFolding.txt; when the folder also holds
DerivedNormalizationProps.txt, the compositions left out are checked against it."""

import os
import re
import sys

HANGUL_FIRST, HANGUL_LAST = 0xAC00, 0xD7A3


def data_lines(path):
    """The fields of each line that is not blank or a comment, stripped."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                yield [field.strip() for field in line.split(";")]


def read_unicode_data(folder):
    """Combining classes other than 0, and the canonical decompositions (one level)."""
    classes, decompositions = {}, {}
    for fields in data_lines(os.path.join(folder, "UnicodeData.txt")):
        code = int(fields[0], 16)
        if int(fields[3]):
            classes[code] = int(fields[3])
        if fields[5] and not fields[5].startswith("<"):
            decompositions[code] = [int(part, 16) for part in fields[5].split()]
    return classes, decompositions


def read_version(folder):
    with open(os.path.join(folder, "CaseFolding.txt"), encoding="utf-8") as f:
        match = re.match(r"# CaseFolding-(\d+\.\d+\.\d+)\.txt", f.readline())
    if not match:
        sys.exit("CaseFolding.txt does not start with its version")
    return match.group(1)


def composed_pairs(folder, classes, decompositions):
    """The characters that NFC composes: two-character decompositions of a starter into a starter
    and another character, less the listed exclusions."""
    excluded = {int(fields[0], 16) for fields in data_lines(os.path.join(folder, "CompositionExclusions.txt"))}
    composed = set()
    for code, parts in decompositions.items():
        if len(parts) == 2 and code not in excluded and not classes.get(code) and not classes.get(parts[0]):
            composed.add(code)
    derived = os.path.join(folder, "DerivedNormalizationProps.txt")
    if os.path.exists(derived):
        full_exclusion = set()
        for fields in data_lines(derived):
            if fields[1] == "Full_Composition_Exclusion":
                first, _, last = fields[0].partition("..")
                full_exclusion.update(range(int(first, 16), int(last or first, 16) + 1))
        if composed != set(decompositions) - full_exclusion:
            sys.exit("the compositions differ from DerivedNormalizationProps.txt")
    return composed


def simple_folds(folder):
    return {int(fields[0], 16): int(fields[2], 16)
            for fields in data_lines(os.path.join(folder, "CaseFolding.txt")) if fields[1] in ("C", "S")}


def class_runs(classes):
    """Runs of consecutive code points with one class: (first, last, class)."""
    runs = []
    for code in sorted(classes):
        if runs and runs[-1][1] == code - 1 and runs[-1][2] == classes[code]:
            runs[-1][1] = code
        else:
            runs.append([code, code, classes[code]])
    return runs


def fold_runs(folds):
    """Runs of mappings evenly spaced and moved by one distance: (first, last, delta, step). Each run
    is made of mappings next to each other in code point order, so runs never overlap."""
    runs = []
    for code in sorted(folds):
        delta = folds[code] - code
        if runs:
            first, last, run_delta, step = runs[-1]
            if run_delta == delta and (first == last or code - last == step):
                runs[-1][1], runs[-1][3] = code, code - last
                continue
        runs.append([code, code, delta, 1])
    return runs


def hex_or_decimal(value):
    return hex(value).upper().replace("0X", "0x") if value >= 16 else str(value)


def write_array(out, declaration, entries):
    """Brace-enclosed entries, as many on a line as fit in 100 columns."""
    out.append(declaration + " = {")
    line = "   "
    for entry in entries:
        item = " {" + ",".join(entry) + "},"
        if len(line) + len(item) > 100:
            out.append(line)
            line = "   "
        line += item
    out.append(line)
    out.append("};")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: unicode-tables.py <folder of UnicodeData.txt, CompositionExclusions.txt, CaseFolding.txt>")
    folder = sys.argv[1]
    version = read_version(folder)
    classes, decompositions = read_unicode_data(folder)
    if any(HANGUL_FIRST <= code <= HANGUL_LAST for code in decompositions):
        sys.exit("UnicodeData.txt lists a Hangul syllable's decomposition")
    composed = composed_pairs(folder, classes, decompositions)
    folds = simple_folds(folder)

    order = sorted(decompositions)
    composing = sorted((i for i, code in enumerate(order) if code in composed), key=lambda i: decompositions[order[i]])
    if len(order) > 0xFFFF:
        sys.exit("too many decompositions for 16-bit indices")

    out = [
        f"// Unicode {version} tables of format/unicode_normal.cpp, written by scripts/unicode-tables.py from",
        "// UnicodeData.txt, CompositionExclusions.txt and CaseFolding.txt. Not to be edited by hand; with",
        "// Debian's unicode-data package installed, they are written again by",
        "//   python3 scripts/unicode-tables.py /usr/share/unicode > src/format/unicode_tables.inc",
        "",
        "// Canonical combining classes other than 0: first, last code point of a run, its class.",
    ]
    write_array(out, "constexpr ClassRun classRuns[]",
                ([hex_or_decimal(first), hex_or_decimal(last), str(cls)] for first, last, cls in class_runs(classes)))
    out += ["", "// Canonical decompositions, one level, by code point: the character, its first and second",
            "// part (0 for a decomposition into one character). Hangul syllables are left to the code."]
    write_array(out, "constexpr Decomposition decompositions[]",
                ([hex_or_decimal(code)] + [hex_or_decimal(part) for part in decompositions[code]] + ["0"] * (2 - len(decompositions[code]))
                 for code in order))
    out += ["", "// The decompositions that NFC composes again, as indices into decompositions[], by first and",
            "// second part: every two-character one but the composition exclusions and those of non-starters."]
    out.append("constexpr std::uint16_t compositions[] = {")
    line = "   "
    for i in composing:
        item = f" {i},"
        if len(line) + len(item) > 100:
            out.append(line)
            line = "   "
        line += item
    out += [line, "};"]
    out += ["", "// Simple case folding (statuses C and S): each code point from first to last, step apart, moves",
            "// by delta: first, last, delta, step."]
    write_array(out, "constexpr FoldRun foldRuns[]",
                ([hex_or_decimal(first), hex_or_decimal(last), str(delta), str(step)] for first, last, delta, step in fold_runs(folds)))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
