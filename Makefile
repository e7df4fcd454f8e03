# Thin wrapper around CMake; `make test` and `make demo` work from a clean clone.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build test demo bench clean deps

all: build

deps:
	@./.ci/deps

$(BUILD)/CMakeCache.txt:
	@./.ci/deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	$(BUILD)/tools/evolve

bench:
	@./.ci/deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DEVOPLUG_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	./bench/run build-bench

clean:
	rm -rf $(BUILD) build-bench
