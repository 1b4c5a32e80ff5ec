#!/bin/sh
# vexhost as a user runs it: exit statuses, help and the info command.
#   vexhost-cli.sh VEXHOST SOURCE_DIR [RUNNER]   (RUNNER: tools/wine-run.sh)
vexhost=$1
source_dir=$2
runner=$3
failures=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# expect STATUS PATTERN ARGS...: runs vexhost, checks its status and that its
# output (stdout and stderr) holds PATTERN (a fixed text, or "" for any).
expect() {
  status=$1 pattern=$2
  shift 2
  $runner "$vexhost" "$@" >"$out" 2>&1
  got=$?
  if [ "$got" != "$status" ]; then
    echo "FAIL: vexhost $* exited $got, expected $status"; sed 's/^/    /' "$out"
    failures=$((failures + 1))
  elif [ -n "$pattern" ] && ! grep -qF -- "$pattern" "$out"; then
    echo "FAIL: vexhost $* did not print: $pattern"; sed 's/^/    /' "$out"
    failures=$((failures + 1))
  else
    echo "ok: vexhost $*"
  fi
}

expect 0 "usage: vexhost" --help
expect 2 "usage: vexhost"
expect 2 "unknown command bogus" bogus
expect 2 "unknown option --bogus" --bogus info
expect 0 "usage: vexhost [OPTIONS] import OUTFILE INVOICE" import --help
expect 2 "usage: vexhost import OUTFILE INVOICE" import only-one
expect 2 "cannot load the module" --module no-such-module.bin info
expect 2 "--set needs NAME=VALUE" --set nothing info
expect 0 "library type: 4" info
expect 0 "property 2: EDI_Halvo_XML" info
expect 0 "entry 1:     wg zaw. katalogu" info
expect 0 'default:     c:\VexWin\EDI' info
expect 0 "module" --version

# The export calls, on a folder of their own.  Under Wine the module sees
# the Linux folder through drive Z:.
export_dir=$(mktemp -d)
if [ -n "$runner" ]; then
  host_dir="Z:$(printf '%s' "$export_dir" | tr / '\\')"
else
  host_dir=$export_dir
fi
: >"$export_dir/FV0001.xml"
expect 0 "path:   $host_dir\\FV0002.xml" --set KatalogExp="$host_dir" --set PrefixExp=FV export-name
expect 0 "filter: Pliki EDI HalX XML (FV*.xml)|FV*.xml|" --set KatalogExp="$host_dir" --set PrefixExp=FV export-name
expect 0 "prompt: Podaj nazw" --set KatalogExp="$host_dir" export-name
expect 0 "flag:   1" --set KatalogExp="$host_dir" export-name
expect 0 "path:   $host_dir\\FV42.xml" --set KatalogExp="$host_dir" --set PrefixExp=FV --set NumeracjaExp=I export-name 42
expect 1 "error: Nie podano katalogu eksportu" export-name 42
expect 0 "message: Eksport dokumentu nie jest obs" export
expect 0 "message: Eksport dokumentu nie jest obs" export "$host_dir\\FV0003.xml" tekst
if [ -e "$export_dir/FV0002.xml" ] || [ -e "$export_dir/FV0003.xml" ]; then
  echo "FAIL: an export call made a file"; failures=$((failures + 1))
fi
rm -rf "$export_dir"

[ "$failures" = 0 ] || { echo "$failures vexhost check(s) failed"; exit 1; }
