# Orvella: `make run` builds and starts the program, `make test` runs every test headless.
RELEASE_DIR := build/release
TEST_DIR    := build/test
BENCH_DIR   := build/bench
JOBS        := $(shell nproc)
# The program folder `make run` and `make install` share: the program, orvella-db, the guide and
# Database/Database.mdb, your book, made only when absent. No build command touches it.
PREFIX      ?= $(HOME)/.local/opt/orvella

.PHONY: all release run test bench fuzz format clean install package screenshots mutants

all: release

# Each target first installs the Debian packages it needs itself (scripts/install-deps.sh lists them).
release:
	@scripts/install-deps.sh build
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DORVELLA_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# Installs the program folder alone and starts Orvella from there.
run: release
	cmake --install $(RELEASE_DIR) --prefix "$(PREFIX)" --component program
	@scripts/run.sh "$(PREFIX)/orvella"

test:
	@scripts/install-deps.sh test
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DORVELLA_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each mutant of tests/mutants.txt applied to a scratch copy, built, the suite run: which tests catch it
# (tens of minutes; not part of make test). MUTANTS_ONLY=pattern runs the mutants whose file or note match.
mutants:
	@scripts/install-deps.sh mutants
	scripts/mutants.py --jobs $(JOBS) --only "$(MUTANTS_ONLY)"

# The program folder, and for you alone the desktop entry, icons, man pages, the orvella and orvella-db
# commands in ~/.local/bin and the daily backup's timer (enabled here, not by a bare cmake --install).
install: release
	ORVELLA_ENABLE_BACKUP_TIMER=1 cmake --install $(RELEASE_DIR) --prefix "$(PREFIX)"

# A .tar.gz of the program folder with an empty database, to unpack anywhere and run from there.
package: release
	cd $(RELEASE_DIR) && cpack -G TGZ
	@echo "Package: $$(ls $(RELEASE_DIR)/orvella-*-linux.tar.gz)"

# Pictures of every window with a small sample book, in docs/ (needs no display: uses Xvfb).
screenshots: release
	@scripts/install-deps.sh screenshots
	@scripts/screenshots.sh $(RELEASE_DIR)

bench:
	@scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DORVELLA_TESTS=OFF -DORVELLA_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@scripts/bench.sh $(BENCH_DIR)

# Fuzzes the value forms for FUZZ_SECONDS (default 60) with libFuzzer; never part of the tests.
FUZZ_DIR     := build/fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLA_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	cp fuzz/corpus/* $(FUZZ_DIR)/corpus/
	cd $(FUZZ_DIR) && bin/fuzz_value_forms -max_total_time=$(FUZZ_SECONDS) -max_len=4096 corpus

format:
	@scripts/install-deps.sh format
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
