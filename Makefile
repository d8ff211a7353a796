# Orvella: `make run` builds and starts the program, `make test` runs every test headless.
RELEASE_DIR := build/release
TEST_DIR    := build/test
BENCH_DIR   := build/bench
JOBS        := $(shell nproc)

.PHONY: all deps release run test bench fuzz format clean

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

# Fuzzes the value forms for FUZZ_SECONDS (default 60) with libFuzzer; never part of the tests.
FUZZ_DIR     := build/fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLA_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	cp fuzz/corpus/* $(FUZZ_DIR)/corpus/
	cd $(FUZZ_DIR) && bin/fuzz_value_forms -max_total_time=$(FUZZ_SECONDS) -max_len=4096 corpus

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
