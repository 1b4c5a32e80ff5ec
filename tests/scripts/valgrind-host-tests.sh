#!/bin/sh
# Runs the loaded-module tests of a native build under valgrind memcheck:
# any invalid access, use of an undefined value or definite leak fails.
# The tests that make files of hundreds of megabytes run without valgrind
# in the native stage; under it they would take many minutes.  Valgrind's
# x87 keeps no control word (it always reads 0x037F), so the tests of a
# host's control word run only natively.
#   sh tests/scripts/valgrind-host-tests.sh BUILD_FOLDER
set -u
build=${1:-build/native}
exec valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
  --show-leak-kinds=definite --track-origins=yes \
  "$build/bin/host_tests" --gtest_filter='-*Heavy*:Soak.*:HostConditions.*' --gtest_brief=1
