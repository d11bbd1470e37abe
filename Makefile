# The two commands of the README: `make run` and `make test`.
BUILD := build
ASAN_BUILD := build-asan
SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=all
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test sanitize bench examples clean

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

# Every test again, built with AddressSanitizer and UBSan; any finding fails the run.
sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Release -DLIFTWISE_BENCH=OFF \
	    -DCMAKE_CXX_FLAGS="$(SANITIZERS) -fno-omit-frame-pointer -g" \
	    -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/liftwise_bench

# The sample airfoils are generated, not copied: NACA 4-digit sections of 121 points.
examples: build
	for d in 0012 2412 4412 6409; do $(BUILD)/app/liftwise-cli naca $$d > examples/naca$$d.dat; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
