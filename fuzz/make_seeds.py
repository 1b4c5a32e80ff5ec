#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/) from
the shipped example invoices and from inputs like those of the tests.

Each seed is laid out as the target reads it through FuzzedDataProvider:
texts from the front (a backslash doubled, a text ended by a backslash and
one other byte), the rest of the bytes as the last text, and one byte per
numeric choice at the end, the first choice last.

    python3 fuzz/make_seeds.py      (from the source tree's root)
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXAMPLES = os.path.join(ROOT, "examples")


def text(value):
    """A front text as ConsumeRandomLengthString reads it."""
    return value.replace(b"\\", b"\\\\") + b"\\;"


def seed(front, rest, choices):
    """Front texts, the remaining bytes, then the choices (one byte each)."""
    return b"".join(text(f) for f in front) + rest + bytes(reversed(choices))


def examples():
    names = sorted(n for n in os.listdir(EXAMPLES) if n.endswith(".xml"))
    return [(n[:-4], open(os.path.join(EXAMPLES, n), "rb").read()) for n in names]


RATES = [b"23", b"8", b"5", b"0", b"ZW"]
ASSIGNMENTS = b"10\t101\t1011\tA01\r\n20\t201\t2011\tA02\r\n"
ASSORTMENTS = b"Klucz\tNazwa\t\r\nA01\tNabia\xb3\t\r\nA02\tS\xb3odycze\t\r\nA03\tPieczywo\t\r\n"
BLOCK = (b"<ART_SALE>\n<szDescription>Chleb</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n"
         b"<lMerchandiseStructureID>30</lMerchandiseStructureID>\n</ART_SALE>\n")


def import_seeds():
    # choices: categorisation answer, separator, assignments?, assortments?,
    # invoice exists, number of dialog answers, then (accepted, index + 2) each
    out = {}
    for name, invoice in examples():
        out[name + "_plain"] = seed(RATES, invoice, [1, 0, 0, 0, 1, 0])
        out[name + "_comma"] = seed(RATES, invoice, [1, 1, 0, 0, 1, 0])
        out[name + "_categorised"] = seed(RATES + [ASSIGNMENTS, ASSORTMENTS], invoice,
                                          [0, 0, 1, 1, 1, 2, 1, 3, 0, 1])
        out[name + "_cr_only"] = seed(RATES, invoice.replace(b"\r\n", b"\r").replace(b"\n", b"\r"),
                                      [1, 0, 0, 0, 1, 0])
    out["dialog_only"] = seed(RATES + [b"", ASSORTMENTS], BLOCK * 3, [0, 0, 1, 1, 1, 3, 1, 2, 1, 14, 0, 0])
    out["missing_side_file"] = seed(RATES + [ASSIGNMENTS], BLOCK, [0, 0, 1, 0, 1, 0])
    out["missing_invoice"] = seed(RATES, b"", [1, 0, 0, 0, 0, 0])
    out["return_block"] = seed(RATES, BLOCK.replace(b"ART_SALE", b"ART_RETURN"), [1, 0, 0, 0, 1, 0])
    return out


def name_part(value):
    """Raw bytes that the selection list target maps onto `value`."""
    alphabet = b"abcfvxyz019_-. "
    return bytes(alphabet.index(c) + len(alphabet) * 5 for c in value)


def selection_list_seeds():
    # choices: list mode, number of files, which one is a folder (0 = none)
    out = {}
    files = examples()
    headers = [invoice[: invoice.find(b"</InvoiceHeader>") + 17] for _, invoice in files]
    front = [name_part(b"fv")]
    for i, header in enumerate(headers[:-1]):
        front += [name_part(b"_%d" % i), header]
    front.append(name_part(b"_z"))
    out["three_invoices"] = seed(front, files[-1][1], [0, 3, 0])
    out["no_list_mode"] = seed(front, files[-1][1], [1, 3, 0])
    out["with_a_folder"] = seed(front, files[-1][1], [0, 3, 2])
    out["empty_folder"] = seed([name_part(b"fv")], b"", [0, 0, 0])
    out["upper_case_mode"] = seed([name_part(b"")], files[0][1], [2, 1, 0])
    return out


def export_seeds():
    # choices: list mode, numbering, folder, sequence numbers taken
    listing = (b"WskazPlik:x\r\nKatalog:C:\\Eksport\r\n"
               b"Dokument:Sciezka{C:\\Eksport\\FV0003.xml}NazwaZb{FV0003}\r\n"
               b"Dokument:NazwaZb{fv0004}\r\n")
    return {
        "sequence_with_list": seed([b"FV", b""], listing, [0, 0, 0, 2]),
        "sequence_without_list": seed([b"FV", b""], listing, [1, 0, 0, 1]),
        "host_number": seed([b"FV", b"42"], b"", [1, 2, 0, 0]),
        "without_number": seed([b"FV", b""], b"", [1, 1, 1, 0]),
        "number_text": seed([b"", b" $7F "], listing, [0, 2, 0, 0]),
    }


def conversion_seeds():
    # choices: routine, then its own (see ConversionFuzzer.cpp); a choice
    # over more than 256 values takes two bytes, the high one first
    polish = bytes(range(0x80, 0x100))
    out = {}
    for source, target in [(0, 1), (1, 0), (0, 7), (7, 0), (2, 5), (6, 3)]:
        out["charset_%d_%d" % (source, target)] = seed([], polish, [0, source + 1, target + 1])
    for name, invoice in examples():
        out["encodings_" + name] = seed([], invoice, [1, 1, 2])
        line = invoice.split(b"\n")[5]
        out["primitives_" + name] = seed([b"<szDate>"], line, [4, 0, 6, 0, 13])
    # One-element lines, which the scan reads its quick way, blocks among
    # them, and lines that only look like one element.
    for name, line in [("sale", b"<ART_SALE>x</ART_SALE>"), ("return", b"<ART_RETURN>x</ART_RETURN>"),
                       ("item", b"  <szItemID>12</szItemID>\r"), ("open", b"<lMerchandiseGroupID>7"),
                       ("other_close", b"<szItemID>1</szDesc1>"), ("unknown", b"<abcdefgh>1</abcdefgh>"),
                       ("two", b"<szItemID>1</szItemID><szDesc1>a</szDesc1>")]:
        out["scan_" + name] = seed([b"<szItemID>"], line, [4, 0, 6, 0, 13])
    out["numbers"] = seed([], b" 1234,5678 ", [2, 1, 0x80, 0, 0, 1])
    out["numbers_point"] = seed([], b"-0.005", [2, 0, 0xFF, 0xFF, 0xFF, 0x7F])
    # The quick reader and writer against strtold and printf: control word,
    # separator, sign, digits, places; then a significand and an exponent.
    out["compare_numbers"] = seed([], b"", [3, 0, 0, 0, 19, 1, 2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9,
                                            9, 9, 9, 9, 9, 9, 9, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 1, 40, 0])
    return out


def main():
    for target, seeds in [("import", import_seeds()), ("selection_list", selection_list_seeds()),
                          ("export", export_seeds()), ("conversion", conversion_seeds())]:
        folder = os.path.join(ROOT, "fuzz", "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, "seed_" + name), "wb") as f:
                f.write(data)
        print("%s: %d seeds" % (target, len(seeds)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
