# The two commands of the README: `make run` and `make test`.
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=all
JOBS := $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= $(HOME)/.local
# Each target installs the packages it needs and no more (see the script).
DEPS := bash scripts/install-deps.sh
# Where ccache is installed (make test installs it), a build compiles only what changed since any
# earlier build of any checkout on this machine: paths are taken relative to the checkout.
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all build run test sanitize fuzz bench install examples clean

all: build

build:
	$(DEPS) run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd examples && ../$(BUILD)/app/liftwise

test:
	$(DEPS) test
	$(MAKE) build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure

# The program, liftwise-cli, the desktop entry, the icon and the AppStream data under PREFIX,
# and the Python module where that prefix's Python finds it.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Every test again, built with AddressSanitizer and UBSan; any finding fails the run. The Python
# module is left out: it would be loaded into an interpreter built without them.
sanitize:
	$(DEPS) test
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Release -DLIFTWISE_BENCH=OFF \
	    -DLIFTWISE_PYTHON=OFF $(LAUNCHER) \
	    -DCMAKE_CXX_FLAGS="$(SANITIZERS) -fno-omit-frame-pointer -g" \
	    -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure

# libFuzzer with AddressSanitizer and UBSan over the load path, for FUZZ_SECONDS. New inputs go
# to $(FUZZ_BUILD)/corpus; the seeds and the examples are only read. A crash, a sanitizer
# report or an input slower than a second fails the run and leaves the input in $(FUZZ_BUILD).
fuzz:
	$(DEPS) fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release -DLIFTWISE_FUZZ=ON $(LAUNCHER) \
	    -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	mkdir -p $(FUZZ_BUILD)/corpus
	cd $(FUZZ_BUILD) && fuzz/fuzz_load -max_total_time=$(FUZZ_SECONDS) -timeout=1 \
	    -max_len=16384 -dict=../fuzz/airfoil.dict -print_final_stats=1 \
	    corpus ../fuzz/seeds ../examples

bench:
	$(DEPS) bench
	$(MAKE) build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/liftwise_bench
	$(BUILD)/bench/liftwise_startup
	cmake --build $(BUILD) --target bench_python

# The sample airfoils are generated, not copied: NACA 4-digit sections of 121 points.
examples: build
	for d in 0012 2412 4412 6409; do $(BUILD)/cli/liftwise-cli naca $$d > examples/naca$$d.dat; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
