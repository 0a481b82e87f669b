# Two commands do everything on a fresh Debian machine: `make run` and `make test`; `make demo`
# shows the countdown as it looks during the school year.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make qt6-base-dev qt6-svg-dev qt6-wayland libxcb1-dev libfontconfig-dev \
  libxcb-randr0-dev fonts-liberation fonts-dejavu-core appstream desktop-file-utils xvfb openbox \
  xdotool x11-utils x11-xserver-utils libx11-6 faketime libfaketime imagemagick weston xwayland \
  dbus at-spi2-core python3 python3-gi gir1.2-atspi-2.0 gir1.2-glib-2.0 lintian git ccache
# What the Windows build needs besides: the cross compiler and Ninja (Qt for Windows is built
# from Debian's source with them), NSIS for the installer, and for the tests Wine, an X server
# and the tools that drive and see it.
WINDOWS_PACKAGES = mingw-w64 ninja-build ccache xz-utils nsis wine wine64 fonts-wine xvfb xdotool \
  x11-utils faketime libfaketime python3
WINDOWS_BUILD ?= build-windows
# Only for `make fuzz` and `make bench`, which CI does not run.
FUZZ_PACKAGES = clang libclang-rt-14-dev
BENCH_PACKAGES = xvfb x11-utils libxdamage1 valgrind faketime libfaketime dbus at-spi2-core python3-gi \
  gir1.2-atspi-2.0
SAN_BUILD ?= build-asan
FUZZ_RUNS ?= 1000000
# Leaks are reported, except the few that Qt's font machinery keeps for the whole run.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps deps-fuzz deps-bench install-missing configure build program run demo test \
  test-sanitize windows package-windows test-windows screenshots fuzz bench package clean

all: build

# Installs only what is missing, so a second run does nothing.
deps:
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGES)"
deps-fuzz: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(FUZZ_PACKAGES)"
deps-bench: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(BENCH_PACKAGES)"

install-missing:
	@missing=""; \
	for p in $(WANTED); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program alone: no tests, fuzz replays or benchmarks.
program: configure
	cmake --build $(BUILD) -j $(JOBS) --target tasselday

run: program
	./$(BUILD)/tasselday

# The real program with its clock set into the school year and running from there, as on
# README's screenshot; libfaketime is preloaded into the program alone.
DEMO_TIME ?= 2006-03-15 09:30:15
FAKETIME_LIB ?= /usr/lib/$(shell gcc -print-multiarch)/faketime/libfaketime.so.1
demo: program
	env LD_PRELOAD=$(FAKETIME_LIB) FAKETIME='@$(DEMO_TIME)' FAKETIME_DONT_FAKE_MONOTONIC=1 \
	  NO_FAKE_STAT=1 ./$(BUILD)/tasselday

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The unit suite again (not the end-to-end one: the sanitizer runtime must come first, and
# the e2e runs preload libfaketime), built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DTASSELDAY_SANITIZE=address,undefined \
	  $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE e2e

# tasselday.exe and the folder it runs from, $(WINDOWS_BUILD)/tasselday/, cross-built with a
# Windows Qt that the first run builds into a cache outside the clone (windows/build-qt.sh).
# The art is converted by the native build's assetconv.
windows: configure
	@$(MAKE) --no-print-directory install-missing WANTED="$(WINDOWS_PACKAGES)"
	cmake --build $(BUILD) --target assetconv -j $(JOBS)
	JOBS=$(JOBS) CCACHE=$(shell command -v ccache) ./windows/build.sh $(WINDOWS_BUILD) $(BUILD)

# The installer tasselday-<version>-win64.exe and a zip of the same folder, in $(WINDOWS_BUILD)/.
package-windows: windows
	cd $(WINDOWS_BUILD) && cpack

# The unit suite under Wine, the installer installed and removed, and the installed program's
# end-to-end scenarios on Wine's virtual desktop.
test-windows: package-windows
	./tests/windows/run.sh $(WINDOWS_BUILD)

# README's screenshots, taken by the end-to-end suite under openbox.
screenshots: build
	/usr/bin/python3 tests/e2e/run.py $(BUILD)/tasselday --screenshots docs

# Every libFuzzer target for FUZZ_RUNS inputs (clang; builds in build-fuzz/).
fuzz: deps-fuzz
	./fuzz/run.sh $(FUZZ_RUNS)

# The Debian package, in $(BUILD)/ (CPack).
package: build
	cd $(BUILD) && cpack

# Idle cost against the minimal window, then timer fidelity for BENCH_SECONDS, idle and
# with both cores busy.
BENCH_SECONDS ?= 60
bench: build deps-bench
	./bench/run.sh $(BUILD)
	./bench/fidelity.sh $(BUILD) $(BENCH_SECONDS)
	./bench/fidelity.sh $(BUILD) $(BENCH_SECONDS) --load

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)
