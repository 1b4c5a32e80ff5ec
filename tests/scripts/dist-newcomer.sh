#!/bin/sh
# A newcomer's first steps with the release zip: unpack it into an empty
# folder and, from there, with nothing else installed, ask vexhost.exe for
# the versions and the module's description, and import an example invoice
# with and without categorisation (the side files of the zip, found in the
# current folder like the host finds them).  The documents must be the
# expected ones of the source tree, byte for byte.
#   dist-newcomer.sh ZIP SOURCE_DIR VERSION BUILD_VEXHOST RUNNER
# BUILD_VEXHOST only chooses Wine's loader and prefix (tools/wine-run.sh
# --like); the programs run are the unpacked ones.
zip=$1
source_dir=$2
version=$3
build_vexhost=$4
runner=$5
failures=0
here=$(mktemp -d)
trap 'rm -rf "$here"' EXIT

python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
$python -m zipfile -e "$zip" "$here/" || { echo "FAIL: cannot unpack $zip"; exit 1; }
run() { "$runner" --like "$build_vexhost" "$@"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cd "$here" || exit 1
run ./vexhost.exe --version info >info.log 2>&1
status=$?
if [ "$status" != 0 ]; then
  fail "vexhost.exe --version info exited $status"; sed 's/^/    /' info.log
else
  for line in "vexhost $version" "module version: $version (file $version.0, EdiHal_X: " \
              "module name: EDI_Halvo_XML (Halvo - XML)" "library type: 4" \
              "  8 StawkaG (text, flag 0)"; do
    grep -qF -- "$line" info.log || { fail "vexhost.exe --version info did not print: $line"; sed 's/^/    /' info.log; }
  done
  echo "ok: vexhost.exe --version info from the unpacked zip"
fi

# import_example NAME EXPECTED [OPTIONS]: imports przyklady/NAME.xml in przyklady/.
import_example() {
  name=$1 expected=$2
  shift 2
  (cd przyklady && run ../vexhost.exe --quiet "$@" import dokument.txt "$name.xml") >import.log 2>&1
  status=$?
  if [ "$status" != 0 ]; then
    fail "import of $name $* exited $status"; sed 's/^/    /' import.log
  elif ! cmp -s przyklady/dokument.txt "$source_dir/examples/expected/$expected.txt"; then
    fail "import of $name $* differs from examples/expected/$expected.txt"
  elif ! cmp -s przyklady/dokument.txt "przyklady/oczekiwane/$expected.txt"; then
    fail "przyklady/oczekiwane/$expected.txt of the zip differs from the import"
  else
    echo "ok: vexhost.exe $* import $name.xml gives $expected.txt"
  fi
  rm -f przyklady/dokument.txt
}
import_example FV_2024_03_0142_cp1250 FV_2024_03_0142_cp1250
import_example FV_2024_03_0142_cp1250 FV_2024_03_0142_cp1250_kategoryzacja --set CzyKategoryzacja=Tak

[ "$failures" = 0 ] || { echo "$failures newcomer check(s) failed"; exit 1; }
