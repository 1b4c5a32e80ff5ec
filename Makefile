# The two commands of the README, and the other jobs, over the CMake presets.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
VEXHOST := $(NATIVE)/bin/vexhost

.PHONY: all native example test bench fuzz clean

all: native

native:
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

# The main job on the shipped examples: import an invoice and show the
# host document text it gives.
example: native
	$(VEXHOST) import $(NATIVE)/dokument.txt examples/FV_2024_03_0142_cp1250.xml

# Every build and every test (installs what is missing when run as root).
test:
	sh tools/test-all.sh

# Performance figures: every benchmark program of the release build.
bench:
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	@for b in build/release/bin/*_bench; do echo "== $$b"; $$b || exit 1; done

# A fuzzing campaign: every fuzz target for FUZZ_SECONDS (libFuzzer, clang).
FUZZ_SECONDS ?= 600
fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	sh fuzz/run-fuzzers.sh $(FUZZ_SECONDS)

clean:
	rm -rf build dist
