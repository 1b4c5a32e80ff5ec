#!/bin/sh
# The terminal form of the assortment dialog, typed at in a real terminal
# (a tmux session of this test's own), and without any terminal; last in
# an import through vexhost and the module.
#   terminal-dialog.sh PROBE VEXHOST
probe=$1
vexhost=$2
failures=0
work=$(mktemp -d)
server="edihal-dialog-$$"
cleanup() {
  command -v tmux >/dev/null 2>&1 && tmux -L "$server" kill-server 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Without a terminal nobody can answer: closed without a choice.
if command -v setsid >/dev/null 2>&1; then
  got=$(setsid -w "$probe" 1 </dev/null 2>&1)
  [ "$got" = "answer: accepted=0 selected=-1" ] || fail "without a terminal: $got"
  echo "ok: without a terminal"
fi

if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIPPED: tmux is not installed; the dialog was not typed at"
  exit $failures
fi

screen() { tmux -L "$server" capture-pane -p -S -200 -t dialog; }

wait_for() {  # wait_for TEXT: until the terminal shows TEXT (10 s at most)
  tries=0
  until screen | grep -qF -- "$1"; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && return 1
    sleep 0.1
  done
}

# run COMMAND KEYS...: runs COMMAND (shell text) in the terminal, waits
# for the dialog's prompt, keeps the screen in $work/screen, types KEYS
# (tmux send-keys words) and waits for COMMAND to end.
run() {
  command=$1
  shift
  rm -f "$work/out" "$work/finished"
  tmux -L "$server" -u -f /dev/null new-session -d -s dialog -x 100 -y 30 \
    "$command; touch '$work/finished'; sleep 30"
  if ! wait_for "zamknij bez wyboru"; then
    screen >"$work/after"; tmux -L "$server" kill-session -t dialog; return 1
  fi
  screen >"$work/screen"
  tmux -L "$server" send-keys -t dialog "$@"
  tries=0
  while [ ! -e "$work/finished" ] && [ $tries -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
  screen >"$work/after"
  tmux -L "$server" kill-session -t dialog
}

# talk NAME EXPECTED KEYS...: the probe answered with KEYS.
talk() {
  name=$1 expected=$2
  shift 2
  if ! run "'$probe' 1 >'$work/out' 2>&1" "$@"; then
    fail "$name: no prompt"; cat "$work/after"; return
  fi
  got=$(cat "$work/out" 2>/dev/null)
  if [ "$got" != "answer: $expected" ]; then
    fail "$name: got '$got', expected 'answer: $expected'"; cat "$work/after"
  else
    echo "ok: $name"
  fi
}

talk "number" "accepted=1 selected=2" 3 Enter
# The form as it opened: UTF-8 texts, the preselected entry marked.
for text in "Wybór asortymentu" "Towar: Czekolada z orzechami" "Asortyment:" \
  "    1  Napoje" "  > 2  Słodycze" "    3  Pieczywo"; do
  grep -qF -- "$text" "$work/screen" || fail "the terminal does not show: $text"
done
talk "Enter" "accepted=1 selected=1" Enter
talk "q" "accepted=0 selected=-1" q Enter
talk "end of input" "accepted=0 selected=-1" C-d
talk "a wrong number, then a right one" "accepted=1 selected=0" 9 Enter 1 Enter
grep -qF "Nie ma takiej pozycji." "$work/after" || fail "a wrong number is not refused"

# An import through vexhost and the module, in a folder with side files
# that know one block of three: the user is asked twice.
mkdir "$work/shop"
printf '10\t20\t30\tA01\r\n' >"$work/shop/Przypisanie.txt"
printf 'Klucz\tNazwa\t\r\nA01\tNapoje\t\r\nA02\tS\263odycze\t\r\nA03\tPieczywo\t\r\n' \
  >"$work/shop/Kategoryzacja.txt"
block() {  # block NAME [STRUCTURE GROUP SUBGROUP]
  printf '<ART_SALE>\n<szDescription>%s</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n' "$1"
  [ $# != 4 ] || printf '<lMerchandiseStructureID>%s</lMerchandiseStructureID>\n<lMerchandiseGroupID>%s</lMerchandiseGroupID>\n<lMerchandiseSubGroupID>%s</lMerchandiseSubGroupID>\n' "$2" "$3" "$4"
  printf '</ART_SALE>\n'
}
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\n'
  block "Woda" 10 20 30
  block "Chleb żytni"
  block "Bułka" 5 5 5
} >"$work/shop/fv.xml"
rm -f "$work/finished"
tmux -L "$server" -u -f /dev/null new-session -d -s dialog -x 100 -y 50 \
  "cd '$work/shop' && '$vexhost' --quiet --set CzyKategoryzacja=Tak import dok.txt fv.xml >'$work/out' 2>&1; echo \$? >'$work/finished'; sleep 30"
before=$failures
if wait_for "Towar: Chleb żytni" && wait_for "zamknij bez wyboru"; then
  grep_screen() { screen | grep -qF -- "$1" || fail "vexhost import: the terminal does not show: $1"; }
  grep_screen "  > 1  Napoje"
  tmux -L "$server" send-keys -t dialog 3 Enter
  # The second block asks again, at the entry chosen for the first.
  if wait_for "Towar: Bułka"; then
    grep_screen "  > 3  Pieczywo"
    tmux -L "$server" send-keys -t dialog q Enter
  else
    fail "vexhost import: no second dialog"; screen
  fi
  tries=0
  while [ ! -s "$work/finished" ] && [ $tries -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
  [ "$(cat "$work/finished" 2>/dev/null)" = 0 ] || { fail "vexhost import did not succeed"; cat "$work/out"; }
  got=$(grep -o 'Asortyment{[^}]*}' "$work/shop/dok.txt" | tr '\n' ' ')
  [ "$got" = "Asortyment{Napoje} Asortyment{Pieczywo} Asortyment{} " ] ||
    fail "vexhost import: the records hold $got"
  [ $failures = "$before" ] && echo "ok: vexhost import with the dialog"
else
  fail "vexhost import: no dialog"; screen
fi
tmux -L "$server" kill-session -t dialog 2>/dev/null

[ $failures = 0 ] || echo "$failures failure(s)"
exit $failures
