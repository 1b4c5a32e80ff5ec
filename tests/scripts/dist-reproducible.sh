#!/bin/sh
# Two "make dist" runs from the same sources give the same zip, byte for
# byte, and the zip holds what ships (check-dist.py).  The second run relinks
# the DLL and vexhost.exe (their files are removed first), so a link time or
# anything else that changes from one link to the next would show; the
# sources are compiled once, since the compiler is not what varies here.
#   dist-reproducible.sh SOURCE_DIR BUILD_DIR VERSION
source_dir=$1
build=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip=EdiHal_X-$version-win32.zip

sh "$source_dir/tools/make-dist.sh" --build "$build" --out "$work/first" >/dev/null || exit 1
rm -f "$build/bin/EdiHal_X.dll" "$build/bin/vexhost.exe"
sleep 1
sh "$source_dir/tools/make-dist.sh" --build "$build" --out "$work/second" >/dev/null || exit 1
[ -f "$build/bin/EdiHal_X.dll" ] && [ -f "$build/bin/vexhost.exe" ] ||
  { echo "FAIL: make dist did not relink the DLL and vexhost.exe"; exit 1; }

if cmp "$work/first/$zip" "$work/second/$zip"; then
  echo "ok: two make dist runs gave the same $zip"
else
  echo "FAIL: two make dist runs gave different zips"
  exit 1
fi
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
$python "$(dirname "$0")/check-dist.py" "$work/first/$zip" "$source_dir" "$version"
