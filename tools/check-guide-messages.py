#!/usr/bin/env python3
"""The user's guide lists every message the module can show, word for word.

    check-guide-messages.py SOURCE_DIR

Reads every text of src/base/Texts.h (Windows-1250 byte escapes), turns it
into UTF-8 and checks docs/INSTRUKCJA.md against it:

- each message text stands in a message cell (the first column, in
  backticks) of a table of the troubleshooting chapter;
- each message cell there is made only of message texts, placeholders
  written as «...» and the punctuation the module puts between them, and
  begins with a message text: the guide shows no message the code lacks;
- the other texts a user meets (parameter descriptions, the dialog's
  captions, the export prompt, progress texts, the module's names) stand
  somewhere in the guide.

Texts that are neither (pieces of file-dialog filters, the terminal
dialog's prompt) are named in NOT_IN_GUIDE with the reason.  A new text in
Texts.h is thus a message until said otherwise, and fails this check until
the guide lists it.
"""

import re
import sys

# Texts a user meets outside error reports: they must appear in the guide,
# anywhere.
SHOWN_ELSEWHERE = {
    "kFormatName", "kModuleName",
    "kDescImportFolder", "kDescImportPrefix", "kDescImportList", "kDescCategorisation",
    "kListProgressTitle", "kListProgressScanning",
    "kExportPrompt",
    "kDialogCaption", "kDialogProductLabel", "kDialogAssortmentLabel", "kDialogAccept",
}
# Texts that the guide need not quote.
NOT_IN_GUIDE = {
    # Pieces of the file-dialog filters: the guide shows the whole filters.
    "kListFilterLead", "kListFilterPattern", "kListFilterMiddle", "kListFilterTail",
    "kExportFilterHead", "kExportFilterMiddle", "kExportFilterTail",
    # The text-terminal form of the dialog (Linux builds only).
    "kTerminalPrompt", "kTerminalNoAssortments",
}
# What the module writes between the parts of a composed message.
GLUE = set(' :()",.')
PLACEHOLDER = re.compile(r"«[^«»]+»")
SECTION = "Rozwiązywanie problemów"


def c_string_bytes(body):
    """The bytes of the body of a C string literal."""
    out = bytearray()
    i = 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out += c.encode("ascii")
            i += 1
            continue
        nxt = body[i + 1]
        if nxt == "x":
            match = re.match(r"[0-9A-Fa-f]+", body[i + 2:])
            out.append(int(match.group(0), 16))
            i += 2 + len(match.group(0))
        else:
            out += {"n": b"\n", "t": b"\t", "r": b"\r", "\\": b"\\", '"': b'"', "'": b"'"}[nxt]
            i += 2
    return bytes(out)


def read_texts(path):
    """Name -> text (str) of every constant of Texts.h."""
    source = open(path, encoding="utf-8").read()
    code = re.sub(r"//[^\n]*", "", source)
    declarations = re.findall(r"inline constexpr char (\w+)\[\]\s*=\s*((?:\"(?:[^\"\\]|\\.)*\"\s*)+);",
                              code)
    expected = code.count("inline constexpr char ")
    if len(declarations) != expected or expected == 0:
        sys.exit(f"FAIL: read {len(declarations)} of {expected} texts in {path}")
    texts = {}
    for name, literals in declarations:
        raw = b"".join(c_string_bytes(body) for body in re.findall(r"\"((?:[^\"\\]|\\.)*)\"", literals))
        texts[name] = raw.decode("cp1250")
    return texts


def troubleshooting_cells(guide):
    """The first-column code spans of the tables of the troubleshooting chapter."""
    cells = []
    inside = False
    for line in guide.splitlines():
        if line.startswith("## "):
            inside = SECTION in line
            continue
        if not inside or not line.startswith("| `"):
            continue
        first = re.match(r"\| `((?:[^`\\]|\\.)*)` \|", line)
        if first:
            cells.append(first.group(1).replace("\\|", "|"))
    return cells


def composed_of(cell, messages):
    """Whether `cell` is only messages, placeholders and glue, starting with a message."""
    pieces = [piece for piece in PLACEHOLDER.split(cell)]
    ordered = sorted(messages, key=len, reverse=True)
    for index, piece in enumerate(pieces):
        at = 0
        while at < len(piece):
            match = next((m for m in ordered if m and piece.startswith(m, at)), None)
            if match:
                at += len(match)
            elif piece[at] in GLUE and not (index == 0 and at == 0):
                at += 1
            else:
                return False
    return True


def main():
    source = sys.argv[1]
    texts = read_texts(f"{source}/src/base/Texts.h")
    guide = open(f"{source}/docs/INSTRUKCJA.md", encoding="utf-8").read()
    unknown = (SHOWN_ELSEWHERE | NOT_IN_GUIDE) - texts.keys()
    if unknown:
        sys.exit(f"FAIL: no such texts in Texts.h any more: {sorted(unknown)}")
    messages = {name: text for name, text in texts.items()
                if name not in SHOWN_ELSEWHERE and name not in NOT_IN_GUIDE}
    cells = troubleshooting_cells(guide)
    failures = []

    found = [name for name, text in messages.items() if any(text in cell for cell in cells)]
    for name in sorted(messages.keys() - set(found)):
        failures.append(f"{name} ({messages[name]!r}) is not in the guide's troubleshooting tables")
    # Message texts that stand for a message of their own start a cell;
    # the pieces of composed messages (a lower-case or punctuation start)
    # only join them.
    for cell in cells:
        if not composed_of(cell, messages.values()):
            failures.append(f"the guide lists {cell!r}, which the module does not say")
    # Prose wraps lines: compare with runs of white space made one space.
    prose = " ".join(guide.split())
    for name in sorted(SHOWN_ELSEWHERE):
        if " ".join(texts[name].split()) not in prose:
            failures.append(f"{name} ({texts[name]!r}) does not appear in the guide")

    if not messages or len(found) != len(messages) or len(cells) < 1:
        failures.append(f"found {len(found)} of {len(messages)} messages in {len(cells)} cells")
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        sys.exit(1)
    print(f"ok: all {len(messages)} message texts of Texts.h are in the guide's "
          f"{len(cells)} troubleshooting entries, and every entry is the module's")


if __name__ == "__main__":
    main()
