#!/bin/sh
# The terminal form of the assortment dialog, typed at in a real terminal
# (a tmux session of this test's own), and without any terminal.
#   terminal-dialog.sh PROBE
probe=$1
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

screen() { tmux -L "$server" capture-pane -p -t dialog; }

wait_for() {  # wait_for TEXT: until the terminal shows TEXT (10 s at most)
  tries=0
  until screen | grep -qF -- "$1"; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && return 1
    sleep 0.1
  done
}

# talk NAME EXPECTED KEYS...: starts the probe in the terminal, waits for
# the prompt, types KEYS (tmux send-keys words) and checks the answer.
talk() {
  name=$1 expected=$2
  shift 2
  rm -f "$work/out" "$work/finished"
  tmux -L "$server" -u -f /dev/null new-session -d -s dialog -x 100 -y 30 \
    "'$probe' 1 >'$work/out' 2>&1; touch '$work/finished'; sleep 30"
  if ! wait_for "zamknij bez wyboru"; then
    fail "$name: no prompt"; screen; tmux -L "$server" kill-session -t dialog; return
  fi
  cp /dev/null "$work/screen"
  screen >"$work/screen"
  tmux -L "$server" send-keys -t dialog "$@"
  tries=0
  while [ ! -e "$work/finished" ] && [ $tries -lt 100 ]; do tries=$((tries + 1)); sleep 0.1; done
  screen >"$work/after"
  tmux -L "$server" kill-session -t dialog
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

[ $failures = 0 ] || echo "$failures failure(s)"
exit $failures
