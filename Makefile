# The README's two commands: `make demo` and `make test`.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build test demo bench clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	@tools/demo.sh $(BUILD_DIR)/Morvane

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@tools/run-benchmarks.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) demo-out
