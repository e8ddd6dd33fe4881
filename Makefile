# Sorvane: build, run and test on Debian. Every target installs what it is missing first.
BUILD ?= build
HOST := $(BUILD)/host
JOBS ?= 2

.PHONY: all deps build host run test unit e2e lint fuzz faults bench bench-memory dist repro screenshots clean

all: build

deps:
	@bash tools/install-deps.sh

build: deps
	@bash tools/build.sh $(BUILD) $(JOBS)

host: deps
	@cmake -S . -B $(HOST) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST) -j$(JOBS)

run: build
	@bash tools/run-program.sh $(BUILD)

test: build host
	@bash tools/run-tests.sh $(BUILD)

fuzz: host
	@bash tools/fuzz.sh $(HOST) $${FUZZ_SECONDS:-300}

faults: deps
	@bash tests/faults/faults.sh $(BUILD)

bench: build
	@bash bench/run.sh $(BUILD)

bench-memory: build
	@bash bench/memory.sh $(BUILD)

dist: build
	@bash tools/dist.sh $(BUILD)

screenshots: build
	@bash tools/screenshots.sh $(BUILD)

repro: deps
	@bash tools/check-repro.sh

clean:
	rm -rf $(BUILD) dist
