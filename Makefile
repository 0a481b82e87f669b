# Two commands do everything on a fresh Debian machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make qt6-base-dev libxcb1-dev fonts-liberation fonts-dejavu-core \
  xvfb openbox xdotool x11-utils libx11-6 faketime libfaketime imagemagick \
  dbus at-spi2-core python3 python3-gi gir1.2-atspi-2.0 gir1.2-glib-2.0

# What `make test-windows` needs besides: the cross compiler, Wine and an X server for it.
WINDOWS_PACKAGES = mingw-w64 wine wine64 xvfb python3
WINDOWS_BUILD ?= build-windows

.PHONY: all deps configure build run test test-windows screenshots bench clean

all: build

# Installs only what is missing, so a second run does nothing.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tasselday

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# README's screenshots, taken by the end-to-end suite under openbox.
screenshots: build
	/usr/bin/python3 tests/e2e/run.py $(BUILD)/tasselday --screenshots docs

# The launcher and its Windows services, cross-compiled and run under Wine.
test-windows:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"
	./tests/windows/run.sh $(WINDOWS_BUILD)

bench: build
	./bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
