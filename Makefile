# Two commands do everything on a fresh Debian 12 machine:
#   make run   - install what is missing, build, start the card designer
#   make test  - install what is missing, build, run every test
BUILD_DIR ?= build/release
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run opens the card designer in a desktop window, but no display is set" >&2; \
	  echo "(DISPLAY or WAYLAND_DISPLAY). Run it in a desktop session, or: xvfb-run make run" >&2; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/app/card_designer

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	rm -rf build
