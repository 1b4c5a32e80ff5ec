#!/bin/sh
# Runs a Windows program under Wine as the tests need it: the Polish locale
# (ANSI code page 1250, decimal comma), no Wine chatter, and a Wine prefix of
# the build's own, beside its bin folder.  A 64-bit program goes straight to
# the 64-bit loader: the "wine" wrapper would try the 32-bit one first.
#   wine-run.sh PROGRAM.exe [ARGS]
#   wine-run.sh --like PROGRAM.exe COMMAND [ARGS]   (a Wine command such as
#       reg, with the loader and prefix PROGRAM.exe would get)
set -e
if [ "${1:-}" = "--like" ]; then
  exe="$2"
  shift 2
else
  exe="${1:-}"
fi
[ -n "$exe" ] || { echo "usage: wine-run.sh PROGRAM [ARGS]" >&2; exit 2; }

# The machine field of the PE header: 8664 for x86-64, 014c for i386.
pe_offset=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
machine=$(od -An -t x2 -j $((pe_offset + 4)) -N 2 "$exe" | tr -d ' ')
if [ "$machine" = "8664" ]; then
  loader=/usr/lib/wine/wine64
  export WINELOADER=$loader
else
  loader=/usr/lib/wine/wine
fi
[ -x "$loader" ] || { echo "wine-run.sh: $loader is not installed" >&2; exit 127; }

bin_dir=$(cd "$(dirname "$exe")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(dirname "$bin_dir")/wineprefix-$machine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export LC_ALL="${EDIHAL_WINE_LOCALE:-pl_PL.UTF-8}"
# No Mono or Gecko installers when the prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec "$loader" "$@"
