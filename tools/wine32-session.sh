#!/bin/sh
# One Wine session for the 32-bit Windows tests: makes the build's Wine
# prefix when it is missing (waiting until Wine has set it up, so that no
# test pays for it), keeps one Wine server for all the test programs, and
# runs the command given.
#   tools/wine32-session.sh COMMAND...    exit status: the command's
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/win32/wineprefix-014c}"
export WINEDEBUG=-all LC_ALL=pl_PL.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi
/usr/lib/wine/wineserver -p
"$@"
status=$?
/usr/lib/wine/wineserver -k
exit $status
