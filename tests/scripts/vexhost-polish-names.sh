#!/bin/sh
# A folder and an invoice named with all eighteen Polish letters, typed in
# UTF-8 as a Linux user types them: the selection list, the import and the
# export proposal name them correctly (Windows-1250 in what the module
# writes), on Linux and, with the same names, under Wine.
#   vexhost-polish-names.sh VEXHOST SOURCE_DIR [RUNNER]   (RUNNER: tools/wine-run.sh)
vexhost=$1
source_dir=$2
runner=$3
export LC_ALL=pl_PL.UTF-8
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

letters='ąćęłńóśźżĄĆĘŁŃÓŚŹŻ'
dir="$work/Łódź $letters"
name="fv_$letters.xml"
mkdir "$dir"
cp "$source_dir/examples/FV_2024_03_0142_cp1250.xml" "$dir/$name"
# Also a name with a letter Windows-1250 lacks: left out of the list.
cp "$source_dir/examples/FV_2024_03_0142_cp1250.xml" "$dir/fv_ж.xml"

# The paths as the module sees them: Windows-1250; under Wine through Z:.
# The module joins a folder and a name with a backslash everywhere.
if [ -n "$runner" ]; then
  host_dir="Z:$(printf '%s' "$dir" | tr / '\\')"
else
  host_dir=$dir
fi
cp1250() { printf '%s' "$1" | iconv -f UTF-8 -t CP1250; }

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { $runner "$vexhost" "$@"; }

run --quiet --set "KatalogImp=$host_dir" --set "ListaImp=wg zaw. katalogu" --set PrefixImp=fv \
  list "$dir/lista.txt" >"$work/log" 2>&1 || { fail "list exited $?"; cat "$work/log"; }
{
  printf 'Katalog:'; cp1250 "$host_dir"; printf '\r\n'
  printf 'Dokument:Sciezka{'; cp1250 "$host_dir\\$name"; printf '}NazwaZb{'; cp1250 "$name"
  printf '}NrDok{FV/2024/03/0142}\r\n'
} >"$work/expected-list"
if ! tail -n +2 "$dir/lista.txt" | cmp -s - "$work/expected-list"; then
  fail "the list does not name the folder and the invoice"; od -c "$dir/lista.txt" | head -20
else
  echo "ok: list"
fi

run --quiet import "$dir/dokument.txt" "$dir/$name" >"$work/log" 2>&1 || { fail "import exited $?"; cat "$work/log"; }
if cmp -s "$dir/dokument.txt" "$source_dir/examples/expected/FV_2024_03_0142_cp1250.txt"; then
  echo "ok: import"
else
  fail "import of $name"
fi

run --raw --set "KatalogExp=$host_dir" --set "PrefixExp=fv_$letters" --set NumeracjaExp=I \
  export-name 7 >"$work/export" 2>&1 || { fail "export-name exited $?"; cat "$work/export"; }
{ printf 'path:   '; cp1250 "$host_dir\\fv_${letters}7.xml"; printf '\n'; } >"$work/expected-path"
if head -n 1 "$work/export" | tr -d '\r' | cmp -s - "$work/expected-path"; then
  echo "ok: export-name"
else
  fail "export-name"; od -c "$work/export" | head; od -c "$work/expected-path" | head
fi

[ "$failures" = 0 ] || { echo "$failures Polish name check(s) failed"; exit 1; }
