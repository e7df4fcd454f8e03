# Thin wrapper around CMake; `make test` and `make demo` work from a clean clone,
# each installing only what it needs (.ci/deps).
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Applied at every configure, also to a tree that exists. A value once set
# stays in the tree's cache until set again.
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEVOPLUG_WERROR=ON

FUZZ_SECONDS ?= 60
# Tests labelled `long` run only under `make test-long`.
CTEST = ctest --output-on-failure -j $(JOBS)

.PHONY: all build test test-asan test-long test-x86 fuzz demo bench clean deps \
	windows windows-build windows-check windows-test

all: build

deps:
	@./.ci/deps

# The demo's tree starts without the tests, which need GoogleTest; building
# the tests turns them on in the same tree. Configuring again is cheap, so
# every target does, and CMAKE_FLAGS given later still count.
build:
	@./.ci/deps test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DEVOPLUG_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(CTEST) -LE long

# Every test and the plug-in with AddressSanitizer and UBSan; any report fails.
test-asan:
	@./.ci/deps test
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DEVOPLUG_SANITIZE=ON -DEVOPLUG_WERROR=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(CTEST) -LE long

# The long runs (generations, re-creations, memory), on the optimised build;
# no other target builds them.
test-long: build
	cmake --build $(BUILD) -j $(JOBS) --target long_runs
	cd $(BUILD) && ctest --output-on-failure -L long

# Every test but the long runs at the engine's word width: an i686 Linux build
# with the 32-bit DLL's floating point. Its programs run directly where the
# kernel runs 32-bit programs, else under qemu-i386; X86_QEMU=ON forces the
# emulator, X86_QEMU=OFF the direct run.
X86_BUILD ?= build-x86
X86_QEMU ?=
test-x86:
	@./.ci/deps-x86 $(if $(filter ON,$(X86_QEMU)),qemu)
	cmake -S . -B $(X86_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/i686-linux.cmake \
		-DEVOPLUG_X86_QEMU=$(X86_QEMU) -DEVOPLUG_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(X86_BUILD) -j $(JOBS)
	cd $(X86_BUILD) && $(CTEST) -LE long

# libFuzzer programs, each run for FUZZ_SECONDS from its committed corpus.
fuzz:
	@./.ci/deps fuzz
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DEVOPLUG_FUZZ=ON -DEVOPLUG_TESTS=OFF -DEVOPLUG_TOOLS=OFF -DEVOPLUG_WERROR=ON
	cmake --build build-fuzz -j $(JOBS)
	./fuzz/run build-fuzz $(FUZZ_SECONDS)

# Only the library, the stand-in engine and evolve.
demo:
	@./.ci/deps demo
	@if [ -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) $(CMAKE_FLAGS); \
	 else cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DEVOPLUG_TESTS=OFF; fi
	cmake --build $(BUILD) -j $(JOBS) --target evolve
	$(BUILD)/tools/evolve

bench:
	@./.ci/deps bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DEVOPLUG_BENCH=ON -DEVOPLUG_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	./bench/run build-bench

# Windows: the engine's 32-bit DLL and a 64-bit one, cross-built with
# MinGW-w64, each tree with its tests: wine64 runs the 64-bit tests, wine's
# 32-bit loader the 32-bit ones (cmake/wine-i386).
WIN32_BUILD ?= build-win32
WIN64_BUILD ?= build-win64
WIN_CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
WINE ?= $(firstword $(wildcard /usr/lib/wine/wine64) $(shell command -v wine64 || command -v wine))

windows: windows-build
	@$(MAKE) --no-print-directory windows-check

windows-build:
	@./.ci/deps-windows
	cmake -S . -B $(WIN32_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DEVOPLUG_TESTS=ON -DEVOPLUG_TOOLS=OFF -DEVOPLUG_WERROR=ON $(WIN_CMAKE_FLAGS)
	cmake --build $(WIN32_BUILD) -j $(JOBS)
	cmake -S . -B $(WIN64_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
		-DEVOPLUG_TOOLS=OFF -DEVOPLUG_WERROR=ON $(WIN_CMAKE_FLAGS)
	cmake --build $(WIN64_BUILD) -j $(JOBS)

# Both DLLs are always checked, so one run reports every fault.
windows-check:
	@status=0; \
	tools/check-dll-exports i686-w64-mingw32-objdump $(WIN32_BUILD)/evoplug.dll || status=1; \
	tools/check-dll-exports x86_64-w64-mingw32-objdump $(WIN64_BUILD)/evoplug.dll || status=1; \
	exit $$status

# Each tree has its own prefix, as tests/CMakeLists.txt sets it for each test.
# The first start of a fresh one takes a while; it happens before any test's
# clock runs. wine64 makes both, with the 32-bit half of 64-bit Windows.
# Both widths always run, so one run reports every fault.
windows-test: windows-build
	@status=0; \
	for tree in $(WIN32_BUILD) $(WIN64_BUILD); do \
	  echo "== $$tree"; \
	  (cd $$tree && \
	    export WINEPREFIX="$$PWD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" && \
	    $(WINE) wineboot --init && ctest --output-on-failure -LE long) || status=1; \
	done; \
	exit $$status

clean:
	rm -rf $(BUILD) build-bench build-asan build-fuzz $(X86_BUILD) $(WIN32_BUILD) $(WIN64_BUILD)
