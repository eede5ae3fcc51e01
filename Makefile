# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
WIN_BUILD_DIR ?= build-win
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps test-deps windows-deps build run test clean screenshot bench package windows

all: build

# Building and running need less than the tests: each target installs its part.
deps:
	@scripts/install-deps build

windows-deps:
	@scripts/install-deps windows

test-deps:
	@scripts/install-deps test

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps
	@JOBS=$(JOBS) scripts/run-demo $(BUILD_DIR)

# The .deb, in $(BUILD_DIR)/; `make test` checks it.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@echo "package: $$(ls $(BUILD_DIR)/talvorstart_*.deb)"

# The Windows half (cross-build and Wine, mostly waiting) runs beside the
# Linux tests, its output kept apart and shown when it ends; either failing fails.
test: test-deps package
	@scripts/test-windows $(WIN_BUILD_DIR) >$(BUILD_DIR)/test-windows.log 2>&1 & windows=$$!; \
	  (cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)); linux=$$?; \
	  wait $$windows; win=$$?; cat $(BUILD_DIR)/test-windows.log; \
	  echo "make test: exit status ctest $$linux, test-windows $$win"; \
	  [ $$linux = 0 ] && [ $$win = 0 ]

# The Windows program and its zip, cross-built with MinGW-w64 into build-win/.
windows: windows-deps
	@scripts/build-windows $(WIN_BUILD_DIR)

screenshot: test-deps build
	@scripts/screenshot $(BUILD_DIR)/stage/talvorstart $(BUILD_DIR)/screenshot.png

bench: test-deps build
	@cmake --build $(BUILD_DIR) --target bench-tools -j $(JOBS)
	@bench/run $(BUILD_DIR)
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null && { command -v wine64 || command -v wine || ls /usr/lib/wine/wine64; } >/dev/null 2>&1; then \
	  scripts/build-windows $(WIN_BUILD_DIR) >/dev/null && bench/run-windows $(BUILD_DIR) $(WIN_BUILD_DIR); \
	else echo "bench: MinGW-w64 or Wine not installed, Windows rows left out"; fi

clean:
	rm -rf $(BUILD_DIR) $(WIN_BUILD_DIR)
