# The two commands of the README, and the other jobs, over the CMake presets.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
VEXHOST := $(NATIVE)/bin/vexhost

.PHONY: all native example test bench fuzz dist coverage clean

all: native

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

# The main job on the shipped examples: import an invoice and show the
# host document text it gives (only the module and vexhost are built, so
# nothing the tests need is asked for; make test configures them again).
example:
	cmake --preset native -DEDIHAL_TESTS=OFF >/dev/null
	cmake --build --preset native -j $(JOBS) --target EdiHal_X vexhost
	$(VEXHOST) import $(NATIVE)/dokument.txt examples/FV_2024_03_0142_cp1250.xml

# Every build and every test (installs what is missing when run as root).
test:
	sh tools/test-all.sh

# Performance figures: the micro-benchmarks, then the suite, which writes
# docs/BENCHMARKS.md and docs/bench.png (installs what is missing as root).
bench:
	JOBS=$(JOBS) sh bench/run-bench.sh

# A fuzzing campaign: every fuzz target for FUZZ_SECONDS (libFuzzer, clang);
# what it finds is merged into the stored corpora, fuzz/corpus/<target>.
FUZZ_SECONDS ?= 600
fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	sh fuzz/run-fuzzers.sh --merge $(FUZZ_SECONDS)

# The release package: dist/EdiHal_X-<version>-win32.zip with the 32-bit
# DLL, vexhost.exe, the examples, the user's guide and the change log.
dist:
	sh tools/make-dist.sh

# Line and branch coverage of src/ by the native suite: build/coverage/
# report/index.html, and the totals on the terminal (gcovr).
coverage:
	cmake --preset coverage >/dev/null
	cmake --build --preset coverage -j $(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --preset coverage -j $(JOBS)
	mkdir -p build/coverage/report
	gcovr -r . --filter 'src/' --exclude-throw-branches --print-summary \
	  --html-details build/coverage/report/index.html build/coverage

clean:
	rm -rf build dist
