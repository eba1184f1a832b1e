# Kivola: `make run` and `make test` do all the set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench asan-test fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/bin && ./kivola

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BENCH=ON
	cmake --build $(BUILD)-bench -j$(JOBS) --target kivola_bench kivola_chardb
	cd $(BUILD)-bench/bin && ../bench/kivola_bench

asan-test: deps
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DKIVOLA_ASAN=ON
	cmake --build $(BUILD)-asan -j$(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j$(JOBS) --timeout 600

fuzz:
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVOLA_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j$(JOBS) --target fuzz_ini fuzz_lesson_text

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-fuzz
