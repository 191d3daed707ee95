# Two commands do everything on a fresh Debian 12 machine:
#   make run   - install what is missing, build, start the card designer
#   make test  - install what is missing, build, run every test
#   make install PREFIX=/some/prefix - build the library and install it there
# PRESET picks a preset of CMakePresets.json (release, sanitize); CMAKE_ARGS
# adds cache settings, e.g. CMAKE_ARGS=-DKELTO_WERROR=ON.
PRESET ?= release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: run test build install deps configure clean

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

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

install: configure
	@cmake --build --preset $(PRESET) -j $(JOBS) --target kelto kelto_main
	@cmake --install build/$(PRESET) --prefix $(PREFIX)

clean:
	rm -rf build
