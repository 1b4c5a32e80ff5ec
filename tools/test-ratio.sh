#!/bin/sh
# How big the tests are against the code they test: non-blank lines that
# are not only a comment, under tests/ against src/, harness/ and include/.
# Case data (invoices, side files, expected outputs) is not code and is not
# counted.  Prints both ratios, C/C++ alone and every kind of test code,
# each against its bound, and beside them the lines under fuzz/ (the fuzz
# targets and their replay; the corpora are data) and those of the release
# checks under tools/ (check-*.py: the package, the guide's messages, the
# folders' layers).  Fails when a ratio is over its bound.
set -eu
cd "$(dirname "$0")/.."

# Lines of C/C++ (// and /* */ comments) in the files named on stdin.
c_lines() {
  xargs -r cat | awk '
    { line = $0
      if (in_block) { end = index(line, "*/"); if (!end) next
                      line = substr(line, end + 2); in_block = 0 }
      while ((start = index(line, "/*")) > 0) {
        rest = substr(line, start + 2); end = index(rest, "*/")
        if (!end) { line = substr(line, 1, start - 1); in_block = 1; break }
        line = substr(line, 1, start - 1) substr(rest, end + 2)
      }
      sub(/\/\/.*/, "", line)
      if (line ~ /[^ \t\r]/) n++ }
    END { print n + 0 }'
}

# Lines of shell, Python and CMake (# comments).
script_lines() {
  xargs -r cat | awk '!/^[ \t\r]*(#|\/\/|$)/ { n++ } END { print n + 0 }'
}

c_files() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort; }
script_files() {
  find "$@" -type f \( -name '*.sh' -o -name '*.py' -o -name '*.cmake' \
    -o -name CMakeLists.txt \) | sort
}

code=$(c_files src harness include | c_lines)
test_c=$(c_files tests | c_lines)
test_scripts=$(script_files tests | script_lines)
test_all=$((test_c + test_scripts))
fuzz=$(($(c_files fuzz | c_lines) + $(script_files fuzz | script_lines)))
release_checks=$(find tools -name 'check-*.py' | sort | script_lines)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "code (src, harness, include, C/C++):   $code lines"
echo "tests, C/C++:                          $test_c lines  ($(ratio "$test_c" "$code") of the code, at most 0.42)"
echo "tests, all (C/C++, shell, Python, CMake): $test_all lines  ($(ratio "$test_all" "$code") of the code, at most 0.52)"
echo "fuzz/ beside them (not counted):       $fuzz lines  ($(ratio "$fuzz" "$code") of the code)"
echo "release checks in tools/ (not counted): $release_checks lines  ($(ratio "$release_checks" "$code") of the code)"
awk -v c="$test_c" -v a="$test_all" -v k="$code" 'BEGIN { exit !(c * 50 <= k * 21 && a * 25 <= k * 13) }'
