#!/bin/sh
# What vexhost says that depends on the system it runs on: the reason a
# module cannot be loaded, the module's path, and check working where no
# module is.  Everything else it prints is case files: tests/cases/vexhost.
#   vexhost-cli.sh VEXHOST SOURCE_DIR [RUNNER]   (RUNNER: tools/wine-run.sh)
vexhost=$1
runner=$3
failures=0
out=$(mktemp)
alone=$(mktemp -d)
trap 'rm -rf "$out" "$alone"' EXIT

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
# check reads invoices with the module's own reading, built into vexhost.
cp "$vexhost" "$2/examples/FV_2024_03_0142_cp1250.xml" "$alone/"
vexhost=$alone/$(basename "$vexhost")
expect 0 "FV_2024_03_0142_cp1250.xml: bez uwag" check "$alone/FV_2024_03_0142_cp1250.xml"

[ "$failures" = 0 ] || { echo "$failures vexhost check(s) failed"; exit 1; }
