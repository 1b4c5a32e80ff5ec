#!/bin/sh
# What vexhost says that depends on the system it runs on: the reason a
# module cannot be loaded and the module's path.  Everything else it prints
# is case files: tests/cases/vexhost.
#   vexhost-cli.sh VEXHOST SOURCE_DIR [RUNNER]   (RUNNER: tools/wine-run.sh)
vexhost=$1
runner=$3
failures=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# expect STATUS TEXT ARGS...: vexhost's status, and TEXT in what it prints.
expect() {
  status=$1 text=$2
  shift 2
  $runner "$vexhost" "$@" >"$out" 2>&1
  got=$?
  if [ "$got" != "$status" ] || ! grep -qF -- "$text" "$out"; then
    echo "FAIL: vexhost $* exited $got (expected $status and: $text)"; sed 's/^/    /' "$out"
    failures=$((failures + 1))
  else
    echo "ok: vexhost $*"
  fi
}

expect 2 "cannot load the module no-such-module.bin: " --module no-such-module.bin info
expect 0 "module name: EDI_Halvo_XML (Halvo - XML)" --version

[ "$failures" = 0 ] || { echo "$failures vexhost check(s) failed"; exit 1; }
