#!/bin/sh
# Source-based coverage of the module's code (src/) reached by each fuzz
# target's inputs: the stored corpus, the regression inputs and what a
# campaign found (build/fuzz/corpus).  Builds the replaying targets with
# clang's coverage instrumentation in build/fuzz-coverage.
#   sh fuzz/coverage.sh [TARGET...]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
targets=${*:-import selection_list export conversion}
out=build/fuzz-coverage
flags="-fprofile-instr-generate -fcoverage-mapping"
cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null || exit 1
for target in $targets; do
  cmake --build "$out" --target "fuzz_$target" -j "$(nproc)" >/dev/null || exit 1
done
for target in $targets; do
  rm -f "$out/$target.profraw"
  inputs="fuzz/corpus/$target fuzz/regressions/$target"
  [ -d "build/fuzz/corpus/$target" ] && inputs="$inputs build/fuzz/corpus/$target"
  LLVM_PROFILE_FILE="$out/$target.profraw" "$out/bin/fuzz_$target" $inputs | tail -n 1
  llvm-profdata merge -sparse "$out/$target.profraw" -o "$out/$target.profdata" || exit 1
  printf '== %s\n' "$target"
  llvm-cov report "$out/bin/fuzz_$target" -instr-profile="$out/$target.profdata" \
    -ignore-filename-regex='(tests|fuzz|harness|googletest|usr)/' | tail -n 1 |
    awk '{printf "core totals: lines %s of %s covered (%s), branches %s of %s (%s)\n", $8-$9, $8, $10, $11-$12, $11, $13}'
done
