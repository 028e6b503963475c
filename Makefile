# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD_RUN  ?= build/release
BUILD_TEST ?= build/sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps configure run test build build-test clean bench

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

clean:
	rm -rf build
