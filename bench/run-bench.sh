#!/bin/sh
# make bench: builds the release preset, runs the micro-benchmarks, then the
# suite, which writes docs/BENCHMARKS.md and docs/bench.png from its run.
# Run as root, it installs what is missing (Debian); otherwise it names it.
set -eu
cd "$(dirname "$0")/.."
started=$(date +%s)
JOBS=${JOBS:-2}

have() { command -v "$1" >/dev/null 2>&1; }
missing=""
have cmake || missing="$missing cmake"
have g++ || missing="$missing g++"
[ -e /usr/include/benchmark/benchmark.h ] || missing="$missing libbenchmark-dev"
have xsltproc || missing="$missing xsltproc"
have gnuplot || missing="$missing gnuplot-nox"
have valgrind || missing="$missing valgrind"
if [ -n "$missing" ]; then
  if [ "$(id -u)" = 0 ] && have apt-get; then
    echo "make bench: installing$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null && apt-get install -y -q --no-install-recommends $missing >/dev/null
  else
    echo "make bench: missing$missing; as root: apt-get install -y$missing" >&2
    exit 1
  fi
fi

cmake --preset release >/dev/null
cmake --build --preset release -j "$JOBS"

# The shipped build's algorithm on the 32-bit builds, where this machine
# runs 32-bit programs itself: the linux32 module, and the DLL under 32-bit
# Wine (in a Wine prefix of its own, made once).  Elsewhere (qemu-user, or
# Wine in a virtual machine) their times would say nothing about the
# module, and the report says they were not measured.
builds=""
probe=$(mktemp -d)
printf 'int main(void){return 0;}\n' > "$probe/p.c"
if gcc -m32 "$probe/p.c" -o "$probe/p" 2>/dev/null && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
  "$probe/p"; then
  cmake --preset release32 >/dev/null && cmake --build --preset release32 -j "$JOBS" >/dev/null &&
    builds="$builds --build=linux32:$PWD/build/release32/bin"
  if command -v i686-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine ]; then
    export WINEPREFIX="$PWD/build/release-win32/wineprefix" WINEDEBUG=-all
    [ -d "$WINEPREFIX" ] || { mkdir -p "$WINEPREFIX" && /usr/lib/wine/wine wineboot -i >/dev/null 2>&1 &&
      /usr/lib/wine/wineserver -w; }
    cmake --preset release-win32 >/dev/null && cmake --build --preset release-win32 -j "$JOBS" >/dev/null &&
      builds="$builds --build=DLL-under-Wine:$PWD/build/release-win32/bin:wine"
  fi
else
  echo "make bench: this machine does not run 32-bit programs itself: the linux32 build and the DLL are not measured"
fi
rm -rf "$probe"

for source in bench/*_bench.cpp; do
  name=$(basename "$source" .cpp)
  [ "$name" = suite_bench ] && continue
  echo "== $name"
  "build/release/bin/$name"
done
echo "== suite_bench"
# shellcheck disable=SC2086
build/release/bin/suite_bench --report=docs --make-started="$started" $builds
echo "make bench took $(($(date +%s) - started)) s"
