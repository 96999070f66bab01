# Windows: quillmere.exe and quillmere-sim.exe cross-built with mingw-w64, tested under Wine.
# Everything lands in build-windows/; the libraries are built once and kept there.
WIN_BUILD    ?= build-windows
WIN_PACKAGES = g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-ipafont-gothic openbox \
               googletest dpkg-dev zip xvfb xauth xdotool x11-utils x11-xserver-utils \
               imagemagick python3-pil
# Wine never offers its .NET and browser add-ons, says nothing, and keeps its prefix here.
WIN_ENV      = WINEPREFIX=$(abspath $(WIN_BUILD))/wine WINEDEBUG=-all \
               WINEDLLOVERRIDES="mscoree=d;mshtml=d"

.PHONY: windows test-windows clean-windows

# The game's letters are rendered at build time by a tool that runs here: a native one.
windows: deps
	@tools/install-deps.sh $(WIN_PACKAGES)
	@JOBS=$(JOBS) tools/windows-deps.sh $(WIN_BUILD)/deps
	@cmake -S . -B $(WIN_BUILD)/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=OFF >/dev/null
	@cmake --build $(WIN_BUILD)/native -j $(JOBS) --target qm_glyph_atlas
	@cmake -S . -B $(WIN_BUILD) -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DQM_WINDOWS_PREFIX=$(abspath $(WIN_BUILD))/deps/prefix \
	  -DQM_GLYPH_ATLAS=$(abspath $(WIN_BUILD))/native/src/host/sdl/qm_glyph_atlas >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS)

# The Linux simulator and its process tests are the reference: they come from $(BUILD).
test-windows: windows build
	@$(WIN_ENV) /usr/bin/python3 tests/windows/wine_test.py $(WIN_BUILD) $(BUILD)

clean-windows:
	rm -rf $(WIN_BUILD)
