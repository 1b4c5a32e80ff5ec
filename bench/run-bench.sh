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

for source in bench/*_bench.cpp; do
  name=$(basename "$source" .cpp)
  [ "$name" = suite_bench ] && continue
  echo "== $name"
  "build/release/bin/$name"
done
echo "== suite_bench"
build/release/bin/suite_bench --report=docs --make-started="$started"
echo "make bench took $(($(date +%s) - started)) s"
