# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD_RUN  ?= build/release
BUILD_TEST ?= build/sanitize
BUILD_FUZZ ?= build/fuzz
JOBS       ?= $(shell nproc)

.PHONY: all deps configure run test build build-test clean bench fuzz

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_RUN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# Everything, benchmarks included.
build: configure
	@cmake --build $(BUILD_RUN) -j $(JOBS)

run: configure
	@cmake --build $(BUILD_RUN) -j $(JOBS) --target vocabrix
	@bash scripts/run.sh $(BUILD_RUN)/app/vocabrix

build-test: deps
	@cmake -S . -B $(BUILD_TEST) -DCMAKE_BUILD_TYPE=Debug -DVOCABRIX_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_TEST) -j $(JOBS)

test: build-test
	@cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

bench: build
	@echo "Benchmarks are in $(BUILD_RUN)/bench/ (each prints its usage)"

# The fuzz targets of fuzz/ with clang and libFuzzer, each run FUZZ_SECONDS
# (FUZZ_PARALLEL at a time; FUZZ_TARGETS="crunch expansion" picks some).
FUZZ_SECONDS  ?= 60
FUZZ_PARALLEL ?= 4
FUZZ_TARGETS  ?=
fuzz: deps
	@cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DVOCABRIX_FUZZ=ON >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_targets
	@bash scripts/run-fuzz.sh $(BUILD_FUZZ)/fuzz $(FUZZ_SECONDS) $(FUZZ_PARALLEL) $(FUZZ_TARGETS)

clean:
	rm -rf build
