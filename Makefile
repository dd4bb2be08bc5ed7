# The two commands of the README: `make run` and `make test`.
.PHONY: all deps build run test test-asan format format-check include-check bench fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	@if [ -x build/default/app/tovera ]; then build/default/app/tovera $(ARGS); \
	else echo "The app is not built yet: only the core libraries and tools exist."; fi

test: build format-check include-check
	ctest --preset default
	$(MAKE) test-asan

# Every test under ASan + UBSan; the tests that open Qt WebEngine pages run
# apart, with the one check Qt WebEngine's own code fails turned off.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	ctest --preset asan-webengine

format:
	@scripts/check-format --fix

format-check: deps
	@scripts/check-format

include-check:
	@scripts/check-includes

bench: deps
	cmake --preset release
	cmake --build --preset release
	@rm -f build/release/bench-figures.jsonl
	@for b in build/release/bench/bench_*; do echo "== $$b"; \
		TOVERA_BENCH_FIGURES=$(CURDIR)/build/release/bench-figures.jsonl $$b; done
	@echo; scripts/bench-table build/release/bench-figures.jsonl

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

clean:
	rm -rf build
