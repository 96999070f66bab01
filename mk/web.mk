# The game in a web page, built with Debian's emscripten; the Makefile includes this.
#   make web        build-web/index.html, quillmere.js and quillmere.wasm
#   make web-serve  serves them on http://127.0.0.1:$(WEB_PORT)/
#   make test-web   plays the page in headless Chromium (part of make test)
#   make tidy-web   clang-tidy on the page's own sources, as emscripten compiles them
WEB      ?= build-web
WEB_PORT ?= 8080
WEB_ENV   = EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs
WEB_TOOLCHAIN = /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
WEB_BUILD_PACKAGES = emscripten dpkg-dev
WEB_TEST_PACKAGES  = chromium chromium-driver python3-selenium python3-pil fonts-ipafont-gothic
# The letters are rendered at build time by a tool that must run here, so it is built natively.
WEB_GLYPH_TOOL = $(WEB)/tool/src/host/sdl/qm_glyph_atlas

.PHONY: web web-deps web-serve test-web tidy-web

web-deps: deps
	@tools/install-deps.sh $(WEB_BUILD_PACKAGES)
	@tools/web-deps.sh $(WEB)
	@cmake -S . -B $(WEB)/tool -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=OFF >/dev/null
	@cmake --build $(WEB)/tool --target qm_glyph_atlas -j $(JOBS)

web: web-deps
	@$(WEB_ENV) cmake -S . -B $(WEB)/game -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(WEB_TOOLCHAIN) \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH=$(abspath $(WEB))/deps/prefix \
	  -DQM_GLYPH_ATLAS=$(abspath $(WEB_GLYPH_TOOL)) -DQM_WEB_PAGE_DIR=$(abspath $(WEB)) \
	  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	@$(WEB_ENV) cmake --build $(WEB)/game --target quillmere -j $(JOBS)

web-serve: web
	@echo "Quillmere: http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C stops)"
	@/usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB)

test-web: web
	@tools/install-deps.sh $(WEB_TEST_PACKAGES)
	@/usr/bin/python3 tests/web/browser_test.py $(WEB)

# em++ adds these to clang's command line itself; clang-tidy needs them said.
WEB_SYSROOT = /usr/share/emscripten/cache/sysroot
WEB_TIDY_ARGS = $(addprefix --extra-arg-before=,-target wasm32-unknown-emscripten -DEMSCRIPTEN \
  -D__EMSCRIPTEN_major__=3 -D__EMSCRIPTEN_minor__=1 -D__EMSCRIPTEN_tiny__=6 \
  -D_LIBCPP_ABI_VERSION=2 -Dunix -D__unix -D__unix__ --sysroot=$(WEB_SYSROOT) \
  -Xclang -iwithsysroot/include/compat)

tidy-web: web
	@git ls-files 'src/*.web.cpp' | xargs clang-tidy -p $(WEB)/game --quiet $(WEB_TIDY_ARGS)
