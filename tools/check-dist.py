#!/usr/bin/env python3
"""What the release zip holds and how, as an integrator receives it.

    check-dist.py ZIP SOURCE_DIR VERSION      (tools/make-dist.sh runs it)

- exactly the shipped files, sorted by name, every entry with the release
  date of VERSION in CHANGELOG.md and the same attributes;
- the guide, change log, screenshot, examples and expected documents byte
  for byte as in the source tree, the guide naming VERSION;
- the side files and expected documents in Windows-1250 with CR LF line
  ends (Polish letters included, so that a UTF-8 file cannot pass);
- the guide also as one HTML page that holds the screenshot and every
  message of the troubleshooting tables, word for word;
- the DLL and the program: PE files for the same machine, with the release
  date in their headers, no debugging sections, and a version resource that
  names VERSION and the product EdiHal_X.
"""

import calendar
import html
import os
import re
import runpy
import struct
import sys
import zipfile

POLISH = set("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ")


def fail(failures, text):
    failures.append(text)


def release_time(source, version):
    pattern = re.compile(r"^## \[?" + re.escape(version) + r"\]? [-\u2013\u2014] (\d{4})-(\d{2})-(\d{2})")
    with open(os.path.join(source, "CHANGELOG.md"), encoding="utf-8") as lines:
        for line in lines:
            match = pattern.match(line)
            if match:
                return tuple(int(part) for part in match.groups()) + (12, 0, 0)
    sys.exit(f"FAIL: CHANGELOG.md has no entry for {version}")


def expected_sources(source):
    """Name in the zip -> file in the source tree, for everything but the binaries."""
    files = {
        "CHANGELOG.md": "CHANGELOG.md",
        "INSTRUKCJA.md": "docs/INSTRUKCJA.md",
        "dialog.png": "docs/dialog.png",
        "przyklady/Kategoryzacja.txt": "examples/Kategoryzacja.txt",
        "przyklady/Przypisanie.txt": "examples/Przypisanie.txt",
    }
    for entry in os.listdir(os.path.join(source, "examples")):
        if entry.endswith(".xml"):
            files["przyklady/" + entry] = "examples/" + entry
    for entry in os.listdir(os.path.join(source, "examples/expected")):
        files["przyklady/oczekiwane/" + entry] = "examples/expected/" + entry
    return files


def check_html_guide(archive, source, failures):
    """INSTRUKCJA.html: self-contained, with each troubleshooting message."""
    page = archive.read("INSTRUKCJA.html").decode("utf-8")
    here = os.path.dirname(os.path.abspath(__file__))
    # The guide's own checker knows which cells are messages.
    guide_messages = runpy.run_path(os.path.join(here, "check-guide-messages.py"))
    with open(os.path.join(source, "docs/INSTRUKCJA.md"), encoding="utf-8") as guide:
        cells = guide_messages["troubleshooting_cells"](guide.read())
    if len(cells) < 10:
        fail(failures, f"only {len(cells)} troubleshooting messages found in the guide")
    for cell in cells:
        if "<code>" + html.escape(cell, quote=False) + "</code>" not in page:
            fail(failures, f"INSTRUKCJA.html lacks the message {cell!r}")
    if "data:image/png;base64," not in page:
        fail(failures, "INSTRUKCJA.html does not hold the dialog's screenshot")
    outside = re.findall(r'\s(?:src|href)="(?!data:|#)([^"]*)"', page)
    if outside:
        fail(failures, f"INSTRUKCJA.html refers to files outside it: {outside}")


def check_windows_text(name, data, failures):
    """Windows-1250 with CR LF line ends; its non-ASCII bytes are Polish
    letters (UTF-8 would read as "Ä…" and the like).  True when it holds one."""
    try:
        text = data.decode("cp1250")
    except UnicodeDecodeError as error:
        fail(failures, f"{name} is not Windows-1250: {error}")
        return False
    lines = data.split(b"\r\n")
    if lines[-1] != b"" or any(b"\r" in line or b"\n" in line for line in lines):
        fail(failures, f"{name} has a line that does not end with CR LF")
    foreign = {c for c in text if ord(c) > 127} - POLISH - set("„”–")
    if foreign:
        fail(failures, f"{name} holds {sorted(foreign)}: not Windows-1250 Polish text")
    return bool(POLISH & set(text))


def pe_sections(name, data, failures):
    """(machine, time stamp, section names) of a PE file."""
    if data[:2] != b"MZ":
        fail(failures, f"{name} is not a PE file")
        return None
    pe = struct.unpack_from("<I", data, 60)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        fail(failures, f"{name} has no PE header")
        return None
    machine, count, stamp, symbols, symbol_count = struct.unpack_from("<HHIII", data, pe + 4)
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional_size
    strings = symbols + 18 * symbol_count  # where "/N" names of long sections point into
    names = []
    for i in range(count):
        section = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("latin-1")
        if section.startswith("/") and symbols:
            start = strings + int(section[1:])
            section = data[start:data.index(b"\0", start)].decode("latin-1")
        names.append(section)
    return machine, stamp, names


def resource_string(data, key):
    """The value of `key` in a version resource's string table (UTF-16)."""
    needle = key.encode("utf-16-le") + b"\0\0"
    at = data.find(needle)
    if at < 0:
        return None
    at += len(needle)
    at += (-at) % 4  # values start on a 32-bit boundary
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def check_binaries(archive, when, version, failures):
    machines = set()
    for name in ("EdiHal_X.dll", "vexhost.exe"):
        data = archive.read(name)
        found = pe_sections(name, data, failures)
        if found is None:
            continue
        machine, stamp, sections = found
        machines.add(machine)
        if stamp != calendar.timegm(when):
            fail(failures, f"{name}: PE time stamp {stamp}, not the release date's {calendar.timegm(when)}")
        debug = [section for section in sections if section.startswith((".debug", "/"))]
        if ".text" not in sections:
            fail(failures, f"{name}: no .text among its sections {sections}")
        if debug:
            fail(failures, f"{name} is not stripped: {debug}")
        if ".rsrc" not in sections:
            fail(failures, f"{name} has no resource section")
        for key, wanted in (("ProductName", "EdiHal_X"), ("ProductVersion", version),
                            ("FileVersion", version), ("OriginalFilename", name)):
            value = resource_string(data, key)
            if value != wanted:
                fail(failures, f"{name}: version resource {key} is {value!r}, not {wanted!r}")
        if not resource_string(data, "FileDescription"):
            fail(failures, f"{name}: the version resource has no description")
    if len(machines) != 1:
        fail(failures, f"the DLL and vexhost.exe are built for different machines: {machines}")


def main():
    zip_path, source, version = sys.argv[1:4]
    failures = []
    polish = set()  # text files with Polish letters
    when = release_time(source, version)
    sources = expected_sources(source)
    wanted = sorted(list(sources) + ["EdiHal_X.dll", "INSTRUKCJA.html", "vexhost.exe"])
    with zipfile.ZipFile(zip_path) as archive:
        entries = archive.infolist()
        names = [entry.filename for entry in entries]
        if names != wanted:
            fail(failures, f"entries {names}, expected {wanted} in this order")
        for entry in entries:
            if entry.date_time != when or entry.external_attr != 0x20 or entry.extra or entry.comment:
                fail(failures, f"{entry.filename}: time {entry.date_time}, attributes "
                               f"{entry.external_attr:#x}, extra {entry.extra!r}")
        for name, path in sources.items():
            if name not in names:
                continue
            data = archive.read(name)
            with open(os.path.join(source, path), "rb") as original:
                if data != original.read():
                    fail(failures, f"{name} differs from {path}")
            if name.endswith(".txt") and check_windows_text(name, data, failures):
                polish.add(name)
        if "przyklady/Kategoryzacja.txt" not in polish:
            fail(failures, "przyklady/Kategoryzacja.txt shows no Polish letter")
        if "INSTRUKCJA.md" in names:
            guide = archive.read("INSTRUKCJA.md").decode("utf-8")
            for mention in (f"**{version}**", f"EdiHal_X-{version}-win32.zip"):
                if mention not in guide:
                    fail(failures, f"INSTRUKCJA.md does not name this version: {mention}")
        if "INSTRUKCJA.html" in names:
            check_html_guide(archive, source, failures)
        if "EdiHal_X.dll" in names and "vexhost.exe" in names:
            check_binaries(archive, when, version, failures)
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        sys.exit(1)
    print(f"ok: {zip_path}: {len(names)} entries as shipped")


if __name__ == "__main__":
    main()
