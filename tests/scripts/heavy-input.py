#!/usr/bin/env python3
# Invoices of a size no wholesaler sends, imported by vexhost in a
# temporary folder: a million line blocks give a million records in order,
# in memory that does not grow with the invoice (the reader holds one
# line); a whole invoice of 200 MB on one line, whose blocks cannot be told
# apart, is refused, naming its line, with nothing written; and where memory
# runs out for real while such a line is read (the child's address space
# limited), the import ends with the message that says so, naming the
# invoice.  Every time the invoice stays as it was and nothing else is left
# in its folder.  The memory is the child's peak resident size against an
# import of a thousand blocks (--unmeasured: under a sanitizer, whose
# shadow memory and quarantine make both meaningless, neither is tried).
#   python3 heavy-input.py VEXHOST [--unmeasured]
import os
import resource
import subprocess
import sys
import tempfile

MB = 1 << 20
HEADER = b'<?xml version="1.0" encoding="windows-1250"?>\r\n<szInvoiceIDPDF>FV/1</szInvoiceIDPDF>'
BLOCK = (b"\r\n<ART_SALE>\r\n<szItemID>%d</szItemID>\r\n<szDescription>Chleb</szDescription>\r\n"
         b"<dQuantityEntry>2</dQuantityEntry>\r\n<szVatPrintCode>A</szVatPrintCode>\r\n</ART_SALE>")
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def blocks(count):
    return lambda f: [f.write(BLOCK % i) for i in range(count)]


def one_line(f):
    chunk = b"<ART_SALE><szDescription>Chleb</szDescription></ART_SALE>" * (MB // 57)
    for _ in range(200 * MB // len(chunk)):
        f.write(chunk)


def import_of(vexhost, folder, name, write, limit=None):
    """Exit status, peak resident bytes, output lines, output text of the
    import; `limit`: the child's address space in bytes."""
    invoice, output = os.path.join(folder, name), os.path.join(folder, name + ".txt")
    with open(invoice, "wb") as f:
        f.write(HEADER)
        write(f)
    size = os.path.getsize(invoice)
    with open(os.path.join(folder, "said"), "w+b") as said:
        limited = lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, resource.RLIM_INFINITY))
        child = subprocess.Popen([vexhost, "--quiet", "--raw", "--set", "CzyKategoryzacja=Nie", "--set",
                                  "StawkaA=23", "import", output, invoice],
                                 stdout=said, stderr=subprocess.STDOUT,
                                 preexec_fn=limited if limit else None)
        _, status, usage = os.wait4(child.pid, 0)
        said.seek(0)
        text = said.read()
    expect(os.path.getsize(invoice) == size, name + ": the invoice changed")
    lines = open(output, "rb").read().split(b"\r\n") if os.path.exists(output) else []
    stray = set(os.listdir(folder)) - {name, name + ".txt", "said"}
    expect(not stray, name + ": files left behind: %s" % sorted(stray))
    for left in (invoice, output):
        if os.path.exists(left):
            os.remove(left)
    return os.waitstatus_to_exitcode(status), usage.ru_maxrss * 1024, lines, text


def main(vexhost, measured):
    with tempfile.TemporaryDirectory() as folder:
        _, small_peak, _, _ = import_of(vexhost, folder, "small.xml", blocks(1000))
        status, peak, lines, said = import_of(vexhost, folder, "million.xml", blocks(1000000))
        records = [line for line in lines if line.startswith(b"Linia:")]
        expect(status == 0, "a million blocks: exit %d: %r" % (status, said[-300:]))
        expect(len(records) == 1000000, "a million blocks: %d records" % len(records))
        for at in range(0, len(records), 100000):
            expect(b"Sww{%d}" % at in records[at], "record %d: %r" % (at, records[at][:80]))
        print("a million blocks: peak %d MB, a thousand: %d MB" % (peak // MB, small_peak // MB))
        expect(not measured or peak - small_peak < 64 * MB, "a million blocks: memory grew")

        status, peak, lines, said = import_of(vexhost, folder, "line.xml", one_line)
        expect(status == 1, "one line: exit %d" % status)
        expect(b". Wiersz 2: Kilka element" in said, "one line: said %r" % said[-300:])
        expect(not any(lines), "one line: %d lines written" % len(lines))
        print("200 MB on one line: peak %d MB" % (peak // MB))
        expect(not measured or peak - small_peak < 464 * MB, "one line: memory grew")

        if measured:
            status, _, _, said = import_of(vexhost, folder, "memory.xml", one_line, 160 * MB)
            invoice = os.path.join(folder, "memory.xml").encode()
            message = b"Zabrak\xb3o pami\xeaci podczas czytania pliku " + invoice
            expect(status == 1 and message in said, "out of memory: %d %r" % (status, said[-200:]))
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], "--unmeasured" not in sys.argv[2:]))
