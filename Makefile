# Orvella: `make run` builds and starts the program, `make test` runs every test headless.
RELEASE_DIR := build/release
TEST_DIR    := build/test
BENCH_DIR   := build/bench
JOBS        := $(shell nproc)

.PHONY: all deps release run test bench format clean

all: release

deps:
	@scripts/install-deps.sh

release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DORVELLA_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: release
	@scripts/run.sh $(RELEASE_DIR)/bin/orvella

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DORVELLA_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DORVELLA_TESTS=OFF -DORVELLA_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@scripts/bench.sh $(BENCH_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
