# The whole set-up: `make run` plays, `make test` checks everything.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

PACKAGES = cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
           libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core fonts-ipafont-gothic python3 python3-pil \
           xvfb xauth xdotool x11-utils imagemagick desktop-file-utils appstream groff-base

.PHONY: all deps build run test test-plain test-asan bench format tidy clean

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
	@$(MAKE) --no-print-directory test-web

test-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	@git ls-files 'src/*.cpp' ':!:*.windows.cpp' ':!:*.web.cpp' | xargs clang-tidy -p $(BUILD) --quiet
	@cppcheck --enable=warning,performance,portability --inline-suppr --quiet --error-exitcode=1 \
	  --std=c++20 -I src src

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

include mk/web.mk
