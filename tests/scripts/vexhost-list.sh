#!/bin/sh
# vexhost list as a user runs it: the list on standard output, progress as
# plain lines in a log, and as a live bar on a terminal (through script(1),
# which gives the program a pseudo-terminal).  A failing list is a case:
# tests/cases/vexhost.
#   vexhost-list.sh VEXHOST
vexhost=$1
# Without script(1) the bar cannot be seen: ctest's skip code.
command -v script >/dev/null || { echo "SKIPPED: no script(1) for a pseudo-terminal"; exit 77; }
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/imp"
i=1
while [ $i -le 250 ]; do
  printf '<Invoice>\r\n  <szInvoiceIDPDF>FV/%s</szInvoiceIDPDF>\r\n</Invoice>\r\n' $i \
    >"$work/imp/fv$i.xml"
  i=$((i + 1))
done

# Names with no Windows-1250 form (a Cyrillic letter) cannot be named to
# the host: they are left off the list, not listed with "?" or cut short as
# the names of files that are there (fv?.xml, fv250.xml).
zhe=$(printf '\320\226')
for name in "fv?.xml" "fv$zhe.xml" "fv250.xml$zhe"; do cp "$work/imp/fv1.xml" "$work/imp/$name"; done

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

list() {
  "$vexhost" --set "KatalogImp=$work/imp" --set "ListaImp=wg zaw. katalogu" --set PrefixImp=fv \
    "$@" list "$work/lista.txt"
}

# Not a terminal: the list on stdout, the status once, no bar.
list >"$work/out" 2>"$work/err"
status=$?
if [ $status != 0 ]; then fail "list exited $status"; cat "$work/err"
elif ! cmp -s "$work/out" "$work/lista.txt"; then fail "stdout is not the list file"
elif [ "$(grep -c '^Dokument:' "$work/lista.txt")" != 251 ]; then fail "not the 251 named entries"
elif ! grep -qF "  analiza katalogu..." "$work/err"; then fail "no status line"; cat "$work/err"
elif grep -q '%' "$work/err"; then fail "a bar in a log"; cat "$work/err"
else echo "ok: list to a pipe"
fi

# A terminal: the bar, drawn once per new percentage and left full.
script -qec "'$vexhost' --quiet --set 'KatalogImp=$work/imp' --set 'ListaImp=wg zaw. katalogu' \
--set PrefixImp=fv list '$work/lista.txt'" /dev/null >"$work/tty" 2>&1
draws=$(tr '\r' '\n' <"$work/tty" | grep -c '^  \[[#.]*\] *[0-9]*%')
last=$(tr '\r' '\n' <"$work/tty" | grep '%' | tail -1)
case $last in
  *"[##############################] 100%"*) ;;
  *) fail "the bar does not end full: $last" ;;
esac
if [ "$draws" -lt 100 ] || [ "$draws" -gt 101 ]; then
  fail "the bar was drawn $draws times for 251 files (expected one per percentage)"
else
  echo "ok: list on a terminal ($draws bar draws)"
fi

[ "$failures" = 0 ] || { echo "$failures vexhost list check(s) failed"; exit 1; }
