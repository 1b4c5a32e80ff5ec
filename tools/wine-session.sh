#!/bin/sh
# One Wine session for the Windows tests of one build: makes the build's
# Wine prefix when it is missing (waiting until Wine has set it up, so that
# no test pays for it), keeps one Wine server for all the test programs, and
# runs the command given.  Without the one server, every program of a test
# starts and stops a server and Wine's services of its own, and a program
# started while the last server is still going down may come up with no
# output at all.
#   tools/wine-session.sh win32|win64 COMMAND...    exit status: the command's
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
  win32) loader=/usr/lib/wine/wine prefix="$root/build/win32/wineprefix-014c" ;;
  win64) loader=/usr/lib/wine/wine64 prefix="$root/build/win64/wineprefix-8664"
    export WINELOADER=$loader ;;
  *) echo "usage: wine-session.sh win32|win64 COMMAND..." >&2; exit 2 ;;
esac
shift
export WINEPREFIX="${WINEPREFIX:-$prefix}"
export WINEDEBUG=-all LC_ALL=pl_PL.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix counts as made only once Wine has finished setting it up: one
# whose making was cut short (a killed run) is started afresh, since Wine
# cannot load its own system from it.
ready="$WINEPREFIX/.edihal-prefix-ready"
if [ ! -f "$ready" ]; then
  mkdir -p "$WINEPREFIX"
  find "$WINEPREFIX" -mindepth 1 -maxdepth 1 -exec rm -rf {} +
  echo "wine-session.sh: making the Wine prefix $WINEPREFIX (some minutes)"
  "$loader" wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  if [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
    echo "wine-session.sh: Wine could not make its prefix" >&2
    exit 1
  fi
  touch "$ready"
fi
# The dialog test shares this prefix rather than making one of its own.
export EDIHAL_DIALOG_WINEPREFIX="${EDIHAL_DIALOG_WINEPREFIX:-$WINEPREFIX}"
/usr/lib/wine/wineserver -p
# Wine starts its services with the first program of a session, which then
# may take minutes to end on a slow machine; wineboot takes that on, so that
# no test's time limit pays for it.
"$loader" wineboot </dev/null >/dev/null 2>&1
"$@"
status=$?
/usr/lib/wine/wineserver -k
exit $status
