# The two commands of the README:
#   make run   installs what is missing, builds and starts the player
#   make test  installs what is missing, builds and runs every test
# Also: make fuzz (each fuzz target 60 s under ASan), make bench (benchmarks).

RELEASE_DIR := build/release
TEST_DIR    := build/asan
FUZZ_DIR    := build/fuzz
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: run test deps fuzz bench clean

run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) --target pellamo
	./$(RELEASE_DIR)/app/pellamo

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLAMO_SANITIZE=ON -DPELLAMO_BENCH=OFF
	cmake --build $(TEST_DIR) -j $(JOBS)
	@# The player as `make run` builds it must compile too (optimised builds warn differently).
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target pellamo
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

deps:
	@scripts/install-deps.sh

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLAMO_FUZZ=ON -DPELLAMO_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	scripts/run-benchmarks.sh $(RELEASE_DIR)

clean:
	rm -rf build
