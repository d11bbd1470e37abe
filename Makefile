# The two commands of the README: `make run` and `make test`.
BUILD := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench clean

all: build

deps:
	bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd examples && ../$(BUILD)/app/liftwise

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/liftwise_bench

clean:
	rm -rf $(BUILD)
