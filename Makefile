# Two commands do everything on a fresh Debian 12 machine:
#   make run   - install what is missing, build, start the card designer
#   make test  - install what is missing, build, run every test
#   make install PREFIX=/some/prefix - build the library and install it there
#   make web   - build every program as a web page into build/web
#   make windows - cross-build every program as a Windows .exe into build/windows,
#                and the release zip beside them
# PRESET picks a preset of CMakePresets.json (release, sanitize); CMAKE_ARGS
# adds cache settings, e.g. CMAKE_ARGS=-DKELTO_WERROR=ON.
PRESET ?= release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: run test build install deps configure clean web web-for-tests windows windows-tests

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

# Builds only the card designer; without a display it says so and how to run it.
run: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target card_designer
	@build/$(PRESET)/app/card_designer

test: build web-for-tests
	@ctest --preset $(PRESET) -j $(JOBS)
	@$(MAKE) --no-print-directory windows-tests

install: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target kelto kelto_main
	@cmake --install build/$(PRESET) --prefix $(PREFIX)

# ---- The browser build: FreeType for Emscripten (built once, cached under
# build/cache), then one configure and every program as a page in build/web.
# Debian's emcc finds its JavaScript parser only through NODE_PATH.
web: deps
	@scripts/build-freetype.sh emscripten build/cache
	@NODE_PATH=/usr/share/nodejs cmake --preset web $(CMAKE_ARGS) >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS)

# The release tests include the pages in headless Chromium, where the tools
# for them are installed.
web-for-tests: deps
	@if [ "$(PRESET)" = release ] && scripts/web-tools-installed.sh; then \
	  scripts/install-web-test-packages.sh && $(MAKE) --no-print-directory web; fi

# ---- The Windows build: FreeType and GoogleTest cross-built from Debian's
# sources once (cached under build/cache), then every program and test as a
# single static .exe in build/windows, and the release zip.
windows: deps
	@scripts/build-freetype.sh mingw64 build/cache
	@scripts/build-googletest.sh mingw64 build/cache
	@cmake --preset windows $(CMAKE_ARGS) $(WINDOWS_CMAKE_ARGS) >/dev/null
	@cmake --build --preset windows -j $(JOBS)
	@scripts/package-windows.sh build/windows build/cache

# The release tests include the Windows build under Wine, where the tools
# for it are installed; its card designer is compared with this build's.
windows-tests:
	@if [ "$(PRESET)" = release ] && scripts/windows-tools-installed.sh; then \
	  $(MAKE) --no-print-directory windows \
	    WINDOWS_CMAKE_ARGS=-DKELTO_DESKTOP_CARD_DESIGNER=$(CURDIR)/build/release/app/card_designer && \
	  tests/windows/run_windows_tests.sh build/windows; fi

clean:
	rm -rf build
