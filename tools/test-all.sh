#!/bin/sh
# Builds every preset and runs every test.  As root it first installs what
# is missing (tools/install-deps.sh).  A stage whose tools cannot run here
# prints one SKIPPED line and the others still run; any failing test makes
# the whole run fail.  Under CI=true a skipped stage or test fails it too:
# make test installs everything the tests need.
#   tools/test-all.sh [STAGE...]    stages: native linux32 win32 win64 asan fuzz valgrind
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
stages=${*:-native linux32 win32 win64 asan fuzz valgrind}
failed=""

sh tools/install-deps.sh

say() { printf '\n=== %s\n' "$*"; }
fail() { failed="$failed $1"; printf '=== %s: FAILED\n' "$1"; }
skip() {
  printf 'SKIPPED: %s\n' "$*"
  [ "${CI:-}" != true ] || fail "${1%%:*}"
}

# Runs a command that runs tests (ctest, directly or inside Wine's session
# or the virtual machine), showing what it prints; fails when it fails and,
# under CI=true, when ctest says a test was skipped.
tested() {
  log=$(mktemp)
  { "$@"; echo $? >"$log.status"; } 2>&1 | tee "$log"
  status=$(cat "$log.status")
  if [ "$status" = 0 ] && [ "${CI:-}" = true ] && grep -q '(Skipped)' "$log"; then
    echo "a test was skipped, which CI does not allow"
    status=1
  fi
  rm -f "$log" "$log.status"
  return "$status"
}

build() {
  cmake --preset "$1" >"build-$1.log" 2>&1 && cmake --build --preset "$1" -j "$jobs" >>"build-$1.log" 2>&1
  status=$?
  [ $status = 0 ] || tail -40 "build-$1.log"
  rm -f "build-$1.log"
  return $status
}

can_run_32bit_linux() {
  probe=$(mktemp -d)
  printf 'int main(void){return 0;}\n' > "$probe/p.c"
  gcc -m32 "$probe/p.c" -o "$probe/p" 2>/dev/null && "$probe/p"
  status=$?
  rm -rf "$probe"
  return $status
}

# 32-bit Wine needs the kernel to run 32-bit programs itself.
can_run_wine32() {
  [ -x /usr/lib/wine/wine ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && can_run_32bit_linux
}

# A virtual machine for 32-bit Wine: qemu, a kernel, busybox and Wine's
# 32-bit half installed here.
can_use_vm() {
  command -v qemu-system-x86_64 >/dev/null && ls /boot/vmlinuz-* >/dev/null 2>&1 &&
    [ -x /usr/bin/busybox ] && [ -x /usr/lib/wine/wine ] && command -v mkfs.ext4 >/dev/null
}

# clang with libFuzzer and the sanitizers.
can_fuzz() {
  probe=$(mktemp -d)
  printf '%s\n' '#include <stddef.h>' '#include <stdint.h>' \
    'int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) { (void)d; (void)n; return 0; }' \
    > "$probe/p.c"
  clang -fsanitize=fuzzer,address,undefined "$probe/p.c" -o "$probe/p" 2>/dev/null
  status=$?
  rm -rf "$probe"
  return $status
}

for stage in $stages; do
  case $stage in
    native)
      say "native: Linux x86-64"
      if build native && tested ctest --preset native -j "$jobs"; then :; else fail native; fi
      ;;
    linux32)
      say "linux32: Linux 32-bit, real stdcall"
      if ! can_run_32bit_linux; then
        skip "linux32: no 32-bit compiler or no way to run 32-bit programs (run as root to install)"
      elif build linux32 && tested ctest --preset linux32 -j "$jobs"; then :; else fail linux32; fi
      ;;
    win32)
      say "win32: the shipped 32-bit DLL"
      if ! command -v i686-w64-mingw32-g++-posix >/dev/null; then
        skip "win32: MinGW-w64 i686 is not installed (run as root to install)"
      elif ! build win32 || ! tested ctest --preset win32 -L static ||
        ! sh tools/make-dist.sh --build build/win32 --out build/win32/dist-made; then
        fail win32
      elif can_run_wine32; then
        tested sh tools/wine-session.sh win32 ctest --preset win32 -L wine || fail win32
      elif can_use_vm; then
        # This kernel cannot run 32-bit programs, so 32-bit Wine runs in a
        # virtual machine whose kernel can; its Wine prefix lives on a disk
        # image kept between runs.  There the heavy rounds of the case
        # runner and its runs in the other host words take a sample of the
        # cases.
        echo "32-bit Wine runs in a virtual machine (this kernel has no IA-32 execution)"
        image=build/vm/win32-prefix.img
        if [ ! -f "$image" ]; then
          mkdir -p build/vm && truncate -s 4G "$image" && mkfs.ext4 -q -F "$image"
        fi
        tested sh tools/vm-run.sh --copy build/win32/bin --disk "$image" "$root/build/win32/wineprefix-014c" \
          env EDIHAL_HEAVY_SAMPLE=1 sh tools/wine-session.sh win32 ctest --preset win32 -L wine ||
          fail win32
      else
        skip "win32 under Wine: this kernel cannot run 32-bit programs and no virtual machine is available (run as root to install qemu-system-x86 and a kernel)"
      fi
      ;;
    win64)
      say "win64: the Win32 code under 64-bit Wine"
      if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ ! -x /usr/lib/wine/wine64 ]; then
        skip "win64: MinGW-w64 x86-64 or 64-bit Wine is not installed (run as root to install)"
      elif build win64 && tested ctest --preset win64 -L static &&
        tested sh tools/wine-session.sh win64 ctest --preset win64 -L wine; then :; else fail win64; fi
      ;;
    asan)
      say "asan: every test with AddressSanitizer and UndefinedBehaviorSanitizer"
      if build asan && tested ctest --preset asan -j "$jobs"; then :; else fail asan; fi
      ;;
    fuzz)
      say "fuzz: a short run of every fuzz target"
      if ! can_fuzz; then
        skip "fuzz: clang or libFuzzer missing (run as root to install libclang-rt-14-dev)"
      elif build fuzz && sh fuzz/run-fuzzers.sh "${FUZZ_SMOKE_SECONDS:-20}"; then :; else fail fuzz; fi
      ;;
    valgrind)
      say "valgrind: the loaded-module tests under memcheck"
      if ! command -v valgrind >/dev/null; then
        skip "valgrind: not installed (run as root to install)"
      elif build native && sh tests/scripts/valgrind-host-tests.sh build/native; then :; else fail valgrind; fi
      ;;
    *)
      echo "unknown stage $stage"; failed="$failed $stage"
      ;;
  esac
done

if [ -n "$failed" ]; then
  printf '\nFAILED stages:%s\n' "$failed"
  exit 1
fi
printf '\nAll stages passed.\n'
