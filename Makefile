# The whole set-up: `make run` plays, `make test` checks everything.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

PACKAGES = cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
           libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core fonts-ipafont-gothic python3 python3-pil \
           xvfb xauth xdotool x11-utils imagemagick desktop-file-utils appstream groff-base \
           clang-14 libclang-rt-14-dev
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test test-plain test-asan fuzz bench format tidy clean

all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run-game.sh $(BUILD)

test: deps
	@$(MAKE) --no-print-directory test-plain
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=5
	@$(MAKE) --no-print-directory test-web
	@$(MAKE) --no-print-directory test-windows

test-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

include mk/windows.mk

# The simulator's readers under libFuzzer for FUZZ_SECONDS; new inputs go to $(FUZZ_BUILD)/corpus,
# tests/fuzz/corpus (the seeds and the reproducers of past faults) is only read.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DQM_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/corpus
	@$(FUZZ_BUILD)/tests/fuzz/quillmere_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -dict=tests/fuzz/readers.dict -artifact_prefix=$(FUZZ_BUILD)/ -print_final_stats=1 \
	  $(FUZZ_BUILD)/corpus tests/fuzz/corpus 2>$(FUZZ_BUILD)/fuzz.log || \
	  { tail -40 $(FUZZ_BUILD)/fuzz.log; exit 1; }
	@grep -E '^(Done|stat::number_of_executed_units)' $(FUZZ_BUILD)/fuzz.log | tail -1

bench: build
	@bench/run.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	@git ls-files 'src/*.cpp' ':!:*.windows.cpp' ':!:*.web.cpp' | xargs clang-tidy -p $(BUILD) --quiet
	@cppcheck --enable=warning,performance,portability --inline-suppr --quiet --error-exitcode=1 \
	  --std=c++20 -I src src

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

include mk/web.mk
