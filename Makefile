# The two commands of the README: `make run` and `make test`.
BUILD := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench examples clean

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

# The sample airfoils are generated, not copied: NACA 4-digit sections of 121 points.
examples: build
	for d in 0012 2412 4412 6409; do $(BUILD)/app/liftwise-cli naca $$d > examples/naca$$d.dat; done

clean:
	rm -rf $(BUILD)
