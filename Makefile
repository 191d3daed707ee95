# Two commands do everything on a fresh Debian 12 machine:
#   make run   - install what is missing, build, start the card designer
#   make test  - install what is missing, build, run every test
# PRESET picks a preset of CMakePresets.json (release, sanitize); CMAKE_ARGS
# adds cache settings, e.g. CMAKE_ARGS=-DKELTO_WERROR=ON.
PRESET ?= release
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run opens the card designer in a desktop window, but no display is set" >&2; \
	  echo "(DISPLAY or WAYLAND_DISPLAY). Run it in a desktop session, or: xvfb-run make run" >&2; \
	  exit 1; \
	fi
	@build/$(PRESET)/app/card_designer

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

clean:
	rm -rf build
