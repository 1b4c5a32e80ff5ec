#!/bin/sh
# The terminal form of the assortment dialog in an import through vexhost
# and the module: with no terminal at all, and once on a real terminal (a
# tmux session of this test's own), where a number is typed.  The side files
# know one block of three, so the user is asked twice.  (The conversation
# itself, screen and answers, is a table: tests/tables/dialog.txt.)
#   terminal-dialog.sh VEXHOST
vexhost=$1
for tool in setsid tmux; do
  command -v $tool >/dev/null 2>&1 || { echo "SKIPPED: no $tool"; exit 77; }  # ctest's skip code
done
failures=0
work=$(mktemp -d)
server="edihal-dialog-$$"
cleanup() {
  tmux -L "$server" kill-server 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '10\t20\t30\tA01\r\n' >"$work/Przypisanie.txt"
printf 'Klucz\tNazwa\t\r\nA01\tNapoje\t\r\nA02\tS\263odycze\t\r\nA03\tPieczywo\t\r\n' \
  >"$work/Kategoryzacja.txt"
block() {  # block NAME [STRUCTURE GROUP SUBGROUP]
  printf '<ART_SALE>\n<szDescription>%s</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n' "$1"
  [ $# != 4 ] || printf '<lMerchandiseStructureID>%s</lMerchandiseStructureID>\n<lMerchandiseGroupID>%s</lMerchandiseGroupID>\n<lMerchandiseSubGroupID>%s</lMerchandiseSubGroupID>\n' "$2" "$3" "$4"
  printf '</ART_SALE>\n'
}
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<Faktura>\n'
  block "Woda" 10 20 30
  block "Chleb żytni"
  block "Bułka" 5 5 5
  printf '</Faktura>\n'
} >"$work/fv.xml"
import="cd '$work' && '$vexhost' --quiet --set CzyKategoryzacja=Tak import dok.txt fv.xml"

# expect_records WHAT RECORDS: the assortments of the document's records.
expect_records() {
  got=$(grep -o 'Asortyment{[^}]*}' "$work/dok.txt" | tr '\n' ' ')
  if [ "$got" = "$2" ]; then echo "ok: $1"; else fail "$1: the records hold $got"; fi
}

# Without a terminal nobody can answer: each dialog closes without a choice.
if setsid -w sh -c "$import" </dev/null >"$work/out" 2>&1; then
  expect_records "without a terminal" "Asortyment{Napoje} Asortyment{} Asortyment{} "
else
  fail "without a terminal the import failed"; cat "$work/out"
fi

# On a terminal: the form in UTF-8, a number chooses, and the terminal's
# end of input closes the second dialog.
rm -f "$work/dok.txt"
tmux -L "$server" -u -f /dev/null new-session -d -s dialog -x 100 -y 50 \
  "$import >'$work/out' 2>&1; echo \$? >'$work/finished'; sleep 30"
screen() { tmux -L "$server" capture-pane -p -S -200 -t dialog; }
wait_for() {  # wait_for TEXT: until the terminal shows TEXT (10 s at most)
  tries=0
  until screen | grep -qF -- "$1"; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { fail "the terminal does not show: $1"; screen; return 1; }
    sleep 0.1
  done
}
if wait_for "Towar: Chleb żytni" && wait_for "    2  Słodycze"; then
  tmux -L "$server" send-keys -t dialog 3 Enter
  wait_for "Towar: Bułka" && tmux -L "$server" send-keys -t dialog C-d
  tries=0
  while [ ! -s "$work/finished" ] && [ $tries -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
  if [ "$(cat "$work/finished" 2>/dev/null)" = 0 ]; then
    expect_records "typed at in a terminal" "Asortyment{Napoje} Asortyment{Pieczywo} Asortyment{} "
  else
    fail "the import typed at did not succeed"; cat "$work/out"
  fi
fi

[ $failures = 0 ] || echo "$failures failure(s)"
exit $failures
