#!/bin/sh
# make dist: builds the shipped 32-bit DLL and vexhost.exe (win32 preset)
# and their release zip, checks it, and copies it into dist/:
#   dist/EdiHal_X-<version>-win32.zip
# The checks, any of which refuses the package: the zip holds what ships,
# as it must (check-dist.py), the guide lists every message of the module
# (check-guide-messages.py), and the zip comes out the same, byte for byte,
# when the DLL and vexhost.exe are linked again (tools/dist-zip.py makes it
# reproducible).
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

refuse() { echo "make-dist.sh: $* - no package written" >&2; exit 1; }
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
$python "$root/tools/check-dist.py" "$zip" "$root" "$version" || refuse "the zip is not what ships"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$zip" "$work/first.zip"
rm -f "$build/bin/EdiHal_X.dll" "$build/bin/vexhost.exe"
sleep 1
cmake --build "$build" -j "$jobs" --target edihal_dist >/dev/null
cmp -s "$work/first.zip" "$zip" || refuse "linked again, the DLL and vexhost.exe gave another zip"

mkdir -p "$out"
cp "$zip" "$out/"
echo "$out/$(basename "$zip")"
