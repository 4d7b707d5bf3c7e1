# Quick start: `make run` and `make test`. Everything else is a step of those two.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all deps native asan fuzz windows test test-native test-asan test-fuzz test-windows run dist bench clean

all: native windows

deps:
	@tools/install-deps.sh

# One configure-and-build recipe for every preset.
native asan fuzz windows: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j $(JOBS)

test-native test-asan: test-%: %
	ctest --preset $*

test-fuzz: fuzz
	tools/run-fuzzers.sh build/fuzz

# GUI tests need a display: a virtual one when there is none.
test-windows: windows
	tools/with-display.sh ctest --preset windows

test: test-native test-asan test-fuzz test-windows

run: windows
	tools/run-gui.sh build/windows build/run

dist: windows
	tools/make-dist.sh build/windows dist

# Then the document view on 10^8 records: a 2.4 GB file written under build/, about 20 s in all.
bench: native windows
	tools/run-benchmarks.sh build/native
	work=$$(mktemp -d build/windows/view-bench.XXXXXX) && trap 'rm -rf "$$work"' EXIT && \
	tools/with-display.sh cmake/wine-run.sh build/windows/bench/document_view_gui_bench.exe 100000000 "$$work" --far

clean:
	rm -rf build run dist
