#!/bin/sh
# Runs the dialog test program under Wine on a virtual X display of its
# own.  Xvfb is always stopped, whatever happens.
#   dialog-ui.sh PROGRAM RUNNER
program=$1
runner=$2
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed; the dialog needs a display to be shown and driven"
  exit 77  # ctest's skip code
fi

build=$(cd "$(dirname "$program")/.." && pwd)
xvfb=""
cleanup() {
  # Let Wine end before its display goes away.
  [ -n "${WINEPREFIX:-}" ] && wineserver -w 2>/dev/null
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The first display number that nobody uses.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
tries=0
until [ -e "/tmp/.X11-unix/X$n" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "FAIL: Xvfb :$n did not start"; exit 1
  fi
  sleep 0.1
done
export DISPLAY=":$n"
# A Wine prefix of this test's own, so that no Wine started without the
# display is shared, set up like Windows: Wine's own copies of Tahoma (the
# dialog's font) and Marlett (the caption buttons) in the font folder, where
# they are always found, and Wine drawing the window frames itself, since
# Xvfb has no window manager to draw them.
# EDIHAL_DIALOG_WINEPREFIX names a prefix to use instead (the test virtual
# machine has room for only one, and a second costs minutes to make); its
# Wine server is stopped first, so that the next one starts on this display.
if [ -n "${EDIHAL_DIALOG_WINEPREFIX:-}" ]; then
  export WINEPREFIX="$EDIHAL_DIALOG_WINEPREFIX"
  wineserver -k 2>/dev/null
else
  export WINEPREFIX="$build/wineprefix-dialog-ui"
fi
system32="$WINEPREFIX/drive_c/windows/system32"
[ -e "$system32/reg.exe" ] || $runner "$program" --gtest_list_tests >/dev/null 2>&1
for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
  [ -e "/usr/share/wine/fonts/$font" ] && cp -f "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
done
$runner "$system32/reg.exe" add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

$runner "$program" --gtest_color=no
