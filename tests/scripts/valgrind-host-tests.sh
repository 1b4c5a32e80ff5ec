#!/bin/sh
# Runs every case and the loaded-module tests of a native build under
# valgrind memcheck: any invalid access, use of an undefined value or
# definite leak fails.  The heavy tests (files of hundreds of megabytes,
# thousands of rounds) run without valgrind in the native stage; under it
# they would take many minutes.  Valgrind's x87 keeps no control word (it
# always reads 0x037F) and computes long doubles in 64 bits, so the tests
# of a host's control word and the cases of extended range and precision
# (import/range_*, import/value_*) run only natively.
#   sh tests/scripts/valgrind-host-tests.sh BUILD_FOLDER
set -u
build=${1:-build/native}
for program in case_runner host_tests; do
  valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --track-origins=yes \
    "$build/bin/$program" --gtest_brief=1 \
    --gtest_filter='-Heavy*:Case_import.range_*:Case_import.value_*' || exit $?
done
