# The project's commands. `make demo` and `make test` do all the set-up they need.
.PHONY: all setup build native win32 test test-native test-win32 demo bench clean

all: build

setup:
	@bash scripts/setup.sh

build: native win32

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

win32: setup
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test: build
	@bash scripts/run-tests.sh

test-native: native
	@bash scripts/run-tests.sh native

test-win32: win32
	@bash scripts/run-tests.sh win32

demo: build
	@bash scripts/demo.sh

bench: setup
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@bash scripts/run-bench.sh

clean:
	rm -rf build dist out
