#!/usr/bin/env python3
"""Packs the release zip of a Windows build, byte for byte the same on every run.

    dist-zip.py --version 1.1.1 --source SRC --dll EdiHal_X.dll --exe vexhost.exe
                --html INSTRUKCJA.html --strip i686-w64-mingw32-strip
                --out EdiHal_X-1.1.1-win32.zip

INSTRUKCJA.html is the guide made by tools/guide-html.py.

What makes it reproducible: one time, the release date of this version in
CHANGELOG.md, stands in the PE headers of the DLL and the program and on every
entry; the DLL and the program are stripped copies (no debugging sections,
whose contents name build folders); the entries are sorted by name and carry
the same attributes; nothing of the machine (owner, mode bits, extra fields,
comments) goes in.  The linker writes no time of its own into the PE headers
(--no-insert-timestamp, set in the CMake files), and strip writes the one of
SOURCE_DATE_EPOCH.
"""

import argparse
import calendar
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# Where each shipped file comes from, by its name in the zip.  The examples
# go into "przyklady/", the documents they must give into
# "przyklady/oczekiwane/".
FIXED_FILES = {
    "CHANGELOG.md": "CHANGELOG.md",
    "INSTRUKCJA.md": "docs/INSTRUKCJA.md",
    "dialog.png": "docs/dialog.png",
    "przyklady/Kategoryzacja.txt": "examples/Kategoryzacja.txt",
    "przyklady/Przypisanie.txt": "examples/Przypisanie.txt",
}
EXAMPLE_FOLDERS = {
    "przyklady/": ("examples", ".xml"),
    "przyklady/oczekiwane/": ("examples/expected", ".txt"),
}

RELEASE_LINE = re.compile(r"^## \[?(\d+\.\d+\.\d+)\]? [-\u2013\u2014] (\d{4})-(\d{2})-(\d{2})\s*$")


def release_date(changelog, version):
    """The date of the change log's entry for `version`, as a zip time."""
    with open(changelog, encoding="utf-8") as lines:
        for line in lines:
            match = RELEASE_LINE.match(line)
            if match and match.group(1) == version:
                year, month, day = (int(part) for part in match.groups()[1:])
                # Noon: the date reads the same in every time zone.
                return (year, month, day, 12, 0, 0)
    sys.exit(f"dist-zip: CHANGELOG.md has no entry '## {version} - YYYY-MM-DD'")


def shipped_sources(source):
    """Name in the zip -> file in the source tree, for every text and example."""
    files = {name: os.path.join(source, path) for name, path in FIXED_FILES.items()}
    for prefix, (folder, extension) in EXAMPLE_FOLDERS.items():
        for entry in os.listdir(os.path.join(source, folder)):
            if entry.endswith(extension):
                files[prefix + entry] = os.path.join(source, folder, entry)
    return files


def stripped(strip, binary, scratch, when):
    """The bytes of a stripped copy of `binary`.  Strip writes a new PE header
    with a time in it: the release date's, through SOURCE_DATE_EPOCH."""
    copy = os.path.join(scratch, os.path.basename(binary))
    environment = dict(os.environ, SOURCE_DATE_EPOCH=str(calendar.timegm(when)))
    subprocess.run([strip, "--strip-all", "-o", copy, binary], check=True, env=environment)
    with open(copy, "rb") as data:
        return data.read()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("--version", "--source", "--dll", "--exe", "--html", "--strip", "--out"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    when = release_date(os.path.join(args.source, "CHANGELOG.md"), args.version)
    contents = {}
    for name, path in shipped_sources(args.source).items():
        with open(path, "rb") as data:
            contents[name] = data.read()
    with open(args.html, "rb") as data:
        contents["INSTRUKCJA.html"] = data.read()
    with tempfile.TemporaryDirectory() as scratch:
        contents["EdiHal_X.dll"] = stripped(args.strip, args.dll, scratch, when)
        contents["vexhost.exe"] = stripped(args.strip, args.exe, scratch, when)

    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    partial = args.out + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in sorted(contents):
            entry = zipfile.ZipInfo(name, date_time=when)
            entry.create_system = 0  # MS-DOS: attributes in the low byte
            entry.external_attr = 0x20  # the archive bit, as Windows sets it
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, contents[name], compresslevel=9)
    os.replace(partial, args.out)


if __name__ == "__main__":
    main()
