#!/bin/sh
# The default of "KatalogImp" as vexhost.exe shows it, while the registry
# value "Binaria" is changed with Wine's own reg command: what only a real
# registry can say (the value's types, a missing key or value, a folder
# with Polish letters).  How the value is trimmed and ended is a table:
# tests/tables/export.txt.
#   registry-install-folder.sh VEXHOST.EXE WINE_RUN
vexhost=$1
runner=$2
key='HKLM\SOFTWARE\TORVAL\VEXWin\Instalacja'
failures=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# A change that Wine's reg could not make is a failure of its own, not a
# wrong default further on (a delete of what is not there is no change).
reg() {
  if ! "$runner" --like "$vexhost" reg "$@" >/dev/null 2>&1 && [ "$1" != delete ]; then
    echo "FAIL: reg $*"
    failures=$((failures + 1))
  fi
}
expect_default() {
  # vexhost.exe prints in the ANSI code page: Windows-1250.
  "$runner" "$vexhost" info >"$out" 2>&1
  status=$?
  output=$(iconv -f CP1250 -t UTF-8 "$out" | tr -d '\r')
  shown=$(printf '%s\n' "$output" | grep -A2 ' 0 KatalogImp' | sed -n 's/^ *default: *//p')
  if [ "$shown" = "$1" ]; then
    echo "ok: $2 -> $shown"
  else
    echo "FAIL: $2: default shown as '$shown', expected '$1'"
    echo "  vexhost.exe info ended with status $status and printed:"
    printf '%s\n' "$output" | head -20 | sed 's/^/  | /'
    failures=$((failures + 1))
  fi
}

reg delete "$key" /f
expect_default 'c:\VexWin\EDI' "no key"
reg add "$key" /v Binaria /t REG_SZ /d 'D:\Sklep' /f
expect_default 'D:\Sklep\EDI' "REG_SZ without a backslash"
reg add "$key" /v Binaria /t REG_EXPAND_SZ /d 'D:\Sklep' /f
expect_default 'c:\VexWin\EDI' "REG_EXPAND_SZ"
reg add "$key" /v Binaria /t REG_SZ /d 'D:\Sklep ął' /f
expect_default 'D:\Sklep ął\EDI' "REG_SZ with Polish letters"
reg add "$key" /v Binaria /t REG_MULTI_SZ /d 'D:\Sklep' /f
expect_default 'c:\VexWin\EDI' "REG_MULTI_SZ"
reg delete "$key" /v Binaria /f
expect_default 'c:\VexWin\EDI' "key without the value"
reg delete "$key" /f

[ "$failures" = 0 ] || exit 1
