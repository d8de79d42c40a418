# The two commands of the README:
#   make run   installs what is missing, builds and starts the player
#   make test  installs what is missing, builds and runs every test
# Also: make fuzz (each fuzz target 60 s under ASan), make bench (benchmarks),
# make package (the Debian package, in build/release/package), make format-check
# (every C++ file as .clang-format lays it out; CI runs it).

RELEASE_DIR := build/release
TEST_DIR    := build/asan
FUZZ_DIR    := build/fuzz
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# ccache, where installed, speeds up rebuilds; nothing needs it.
LAUNCHER    := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: run test deps fuzz bench package format-check clean

run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(RELEASE_DIR) --target pellamo pellamo_gallery_program
	./$(RELEASE_DIR)/app/pellamo

test: deps
	@# The test tree is built with clang, so it also links every fuzz target as
	@# `make fuzz` does (and replays its seeds). CMake forgets the options given
	@# with a changed compiler, so a tree made with another one starts afresh.
	@if [ -f $(TEST_DIR)/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang++' $(TEST_DIR)/CMakeCache.txt; then \
	  echo "$(TEST_DIR) was configured with another compiler: configuring it afresh with clang"; rm -rf $(TEST_DIR); fi
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLAMO_SANITIZE=ON -DPELLAMO_BENCH=OFF \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(LAUNCHER)
	cmake --build $(TEST_DIR) -j $(JOBS)
	@# Everything, tests and benchmarks included, must compile as `make run` and
	@# `make bench` build it too (GCC, optimised: it warns where clang does not),
	@# and the Debian package hold what it should and pass lintian.
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target pellamo_package_check
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

deps:
	@scripts/install-deps.sh

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLAMO_FUZZ=ON -DPELLAMO_BENCH=OFF \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(LAUNCHER)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	scripts/run-benchmarks.sh $(RELEASE_DIR)

package: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target pellamo_package
	@ls $(RELEASE_DIR)/package/pellamo_*.deb

format-check: deps
	scripts/check-format.sh

clean:
	rm -rf build
