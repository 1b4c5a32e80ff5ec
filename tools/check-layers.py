#!/usr/bin/env python3
"""The folders of src/ stand in layers: each may include only its own files
and those of the folders below it; folders on one layer include nothing of
each other.  Lists every include that breaks this and fails, else says
which layers it checked.

    check-layers.py [SOURCE_DIR]
"""

import os
import re
import sys

# Top to bottom; folders on one line share a layer.
LAYERS = [
    ["boundary"],
    ["selection", "import", "export"],
    ["import/scan", "import/categorise"],
    ["host"],
    ["text"],
    ["linefile", "numbers"],
    ["platform/posix", "platform/win32"],  # each defines what platform/ declares
    ["platform"],
    ["charsets"],
    ["base"],
]
RANK = {folder: rank for rank, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    """The folder of LAYERS that holds the file at `path` (relative to src/)."""
    folder = os.path.dirname(path)
    while folder and folder not in RANK:
        folder = os.path.dirname(folder)
    return folder


def main():
    root = os.path.join(sys.argv[1] if len(sys.argv) > 1 else ".", "src")
    broken, seen = [], set()
    for directory, _, files in os.walk(root):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.relpath(os.path.join(directory, name), root)
            own = folder_of(path)
            if own not in RANK:
                broken.append(f"{path}: its folder stands on no layer")
                continue
            seen.add(own)
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match or "/" not in match.group(1):
                        continue
                    included = folder_of(match.group(1))
                    if included not in RANK or included == own:
                        continue
                    if RANK[included] <= RANK[own]:
                        where = "upward" if RANK[included] < RANK[own] else "sideways"
                        broken.append(f"{path}:{number}: includes {match.group(1)} ({where})")
    for line in broken:
        print(line)
    if broken:
        print(f"{len(broken)} include(s) against the layers")
        return 1
    print(f"ok: {len(seen)} folders in {len(LAYERS)} layers, no include upward or sideways")
    return 0


if __name__ == "__main__":
    sys.exit(main())
