# Thin wrapper around CMake; `make test` and `make demo` work from a clean clone.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

FUZZ_SECONDS ?= 60
# Tests labelled `long` run only under `make test-long`.
CTEST = ctest --output-on-failure -j $(JOBS)

.PHONY: all build test test-asan test-long fuzz demo bench clean deps

all: build

deps:
	@./.ci/deps

$(BUILD)/CMakeCache.txt:
	@./.ci/deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(CTEST) -LE long

# Every test and the plug-in with AddressSanitizer and UBSan; any report fails.
test-asan:
	@./.ci/deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DEVOPLUG_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(CTEST) -LE long

# The long runs (generations, re-creations, memory), on the optimised build.
test-long: build
	cd $(BUILD) && ctest --output-on-failure -L long

# libFuzzer programs, each run for FUZZ_SECONDS from its committed corpus.
fuzz:
	@./.ci/deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DEVOPLUG_FUZZ=ON -DEVOPLUG_TESTS=OFF -DEVOPLUG_TOOLS=OFF
	cmake --build build-fuzz -j $(JOBS)
	./fuzz/run build-fuzz $(FUZZ_SECONDS)

demo: build
	$(BUILD)/tools/evolve

bench:
	@./.ci/deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DEVOPLUG_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	./bench/run build-bench

clean:
	rm -rf $(BUILD) build-bench build-asan build-fuzz
