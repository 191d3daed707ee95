# The commands, on a fresh Debian 12 machine (as root, or with the packages
# the first step names installed):
#   make run      - build and start the card designer
#   make install PREFIX=/some/prefix - build the library, its reference and
#                   the examples, and install them there
#   make docs     - the reference, the cheatsheet and the guides as HTML, in
#                   build/user/docs/html
#   make deb      - the Debian package, build/kelto_<version>-1_amd64.deb
#   make test     - build and run every test
#   make web      - every program as a web page in build/web, with a gallery
#                   of them: build/web/index.html
#   make windows  - every program as a Windows .exe in build/windows, and the
#                   release zip beside them
# Each first installs the Debian packages it needs (scripts/install-deps.sh):
# run, install, docs and deb only the build tier; test every tier it tests.
# PRESET picks the preset of CMakePresets.json that test builds (release,
# sanitize); CMAKE_ARGS adds cache settings, e.g. CMAKE_ARGS=-DKELTO_WERROR=ON.
PRESET ?= release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
# The tree that run, install, docs and deb build in (the user preset: no
# tests or benchmarks), and where deb puts the package.
USER_BUILD ?= build/user
DEB_DIR ?= build
# The native tree whose replay runners make the gallery's thumbnails and
# whose reference goes into the Windows zip; make test gives its own.
NATIVE_BUILD ?= $(USER_BUILD)

.PHONY: run install docs deb user-configure native-configure test build configure deps \
	clean web web-for-tests windows windows-tests

# ---- A user's commands: the build tier only.
user-configure:
	@scripts/install-deps.sh build
	@cmake --preset user -B $(USER_BUILD) $(CMAKE_ARGS) >/dev/null

# Builds only the card designer; without a display it says so and how to run it.
run: user-configure
	@cmake --build $(USER_BUILD) -j $(JOBS) --target card_designer
	@$(USER_BUILD)/app/card_designer

install: user-configure
	@cmake --build $(USER_BUILD) -j $(JOBS)
	@cmake --install $(USER_BUILD) --prefix $(PREFIX)

docs: user-configure
	@cmake --build $(USER_BUILD) -j $(JOBS) --target kelto_docs
	@echo "$(USER_BUILD)/docs/html/index.html"

# CPack's DEB generator packages what the install rules install.
deb: user-configure
	@cmake --build $(USER_BUILD) -j $(JOBS)
	@rm -rf $(USER_BUILD)/deb
	@cpack --config $(USER_BUILD)/CPackConfig.cmake -G DEB -B $(USER_BUILD)/deb >/dev/null
	@mkdir -p $(DEB_DIR)
	@cp $(USER_BUILD)/deb/*.deb $(DEB_DIR)/
	@ls $(DEB_DIR)/$$(basename $(USER_BUILD)/deb/*.deb)

native-configure:
	@if [ "$(NATIVE_BUILD)" = "$(USER_BUILD)" ]; then \
	  $(MAKE) --no-print-directory user-configure; fi

# ---- The developers' commands: every tier that make test tests.
deps:
	@scripts/install-deps.sh build tests web windows packaging

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

test: build web-for-tests
	@ctest --preset $(PRESET) -j $(JOBS)
	@$(MAKE) --no-print-directory windows-tests

# ---- The browser build: FreeType for Emscripten (built once, cached under
# build/cache), then one configure and every program as a page in build/web.
# Debian's emcc finds its JavaScript parser only through NODE_PATH. The
# gallery's thumbnails are made by the native replay runners (NATIVE_BUILD),
# each program playing its short script.
web: native-configure
	@scripts/install-deps.sh build web
	@scripts/build-freetype.sh emscripten build/cache
	@NODE_PATH=/usr/share/nodejs cmake --preset web $(CMAKE_ARGS) >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build --preset web -j $(JOBS)
	@cmake --build $(NATIVE_BUILD) -j $(JOBS) --target kelto_gallery
	@cp -r $(NATIVE_BUILD)/gallery/. build/web/
	@echo "build/web/index.html"

# The release tests include the pages in headless Chromium, where the tools
# for them are installed; the gallery comes from the release tree.
web-for-tests:
	@if [ "$(PRESET)" = release ] && scripts/web-tools-installed.sh; then \
	  scripts/install-web-test-packages.sh && \
	  $(MAKE) --no-print-directory web NATIVE_BUILD=build/$(PRESET); fi

# ---- The Windows build: FreeType and GoogleTest cross-built from Debian's
# sources once (cached under build/cache), then every program and test as a
# single static .exe in build/windows, and the release zip (CPack's ZIP
# generator), which takes the reference from the native tree.
windows: native-configure
	@scripts/install-deps.sh build windows
	@cmake --build $(NATIVE_BUILD) -j $(JOBS) --target kelto_docs
	@scripts/build-freetype.sh mingw64 build/cache
	@scripts/build-googletest.sh mingw64 build/cache
	@cmake --preset windows -DKELTO_DOCS_FROM=$(abspath $(NATIVE_BUILD))/docs/html \
	  $(CMAKE_ARGS) $(WINDOWS_CMAKE_ARGS) >/dev/null
	@cmake --build --preset windows -j $(JOBS)
	@cpack --config build/windows/CPackConfig.cmake -B build/windows >/dev/null
	@ls build/windows/kelto-*-windows-x86_64.zip

# The release tests include the Windows build under Wine, where the tools
# for it are installed; its card designer is compared with this build's.
windows-tests:
	@if [ "$(PRESET)" = release ] && scripts/windows-tools-installed.sh; then \
	  $(MAKE) --no-print-directory windows NATIVE_BUILD=build/$(PRESET) \
	    WINDOWS_CMAKE_ARGS=-DKELTO_DESKTOP_CARD_DESIGNER=$(CURDIR)/build/release/app/card_designer && \
	  tests/windows/run_windows_tests.sh build/windows; fi

clean:
	rm -rf build
