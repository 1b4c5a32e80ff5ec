#!/bin/sh
# make dist: builds the shipped 32-bit DLL and vexhost.exe (win32 preset)
# and their release zip, and copies the zip into dist/:
#   dist/EdiHal_X-<version>-win32.zip
# Two runs from the same commit give the same bytes (tools/dist-zip.py).
#   tools/make-dist.sh [--build DIR] [--out DIR]
#     --build DIR   a configured win32 build folder (default build/win32,
#                   configured here when it is not yet)
#     --out DIR     where the zip goes (default dist/)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win32
out=$root/dist
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: make-dist.sh [--build DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done

if ! command -v i686-w64-mingw32-g++-posix >/dev/null; then
  echo "make-dist.sh: MinGW-w64 i686 is missing; as root run: sh tools/install-deps.sh" >&2
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset win32 >/dev/null)
fi
jobs=$(nproc 2>/dev/null || echo 2)
# Only the module, vexhost and the zip: the tests are not needed for it.
cmake --build "$build" -j "$jobs" --target edihal_dist >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/dist/EdiHal_X-$version-win32.zip
[ -f "$zip" ] || { echo "make-dist.sh: $zip was not made" >&2; exit 1; }
mkdir -p "$out"
cp "$zip" "$out/"
echo "$out/$(basename "$zip")"
