# SPDX-License-Identifier: GPL-3.0-or-later
# The two set-up commands: `make run` and `make test`. Both install what is missing first.
# `make check` is the quick loop: build, then the logic and widget tests, nothing installed.
SHELL := /bin/bash
BUILD ?= build
BUILD_RELEASE ?= build-release
BUILD_RUN ?= build-run
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
BUILD_WINDOWS ?= build-windows
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
# WERROR=ON makes every warning an error (make test sets it); left empty, a build folder keeps its choice.
WERROR ?=
werror = $(if $(WERROR),-DWAKERY_WERROR=$(WERROR))

# What each purpose needs from the distribution, in one place. `make run` installs RUN_PACKAGES only;
# `make test` installs them all, GNOME_PACKAGES without what they recommend (a whole desktop otherwise).
RUN_PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins qt6-wayland libgl-dev libxcb1-dev
TEST_PACKAGES := libgtest-dev libgmock-dev libbenchmark-dev git clang-format black reuse \
	fonts-dejavu-core fonts-liberation xvfb xauth xdotool x11-utils trayer faketime libfaketime \
	pulseaudio pulseaudio-utils sox dbus at-spi2-core libglib2.0-bin libcap2-bin \
	python3 python3-gi gir1.2-atspi-2.0 procps strace sway waybar wtype
# GNOME Shell for tests/e2e/gnome.py; gjs runs its notification service.
GNOME_PACKAGES := gnome-shell gjs
PACKAGE_CHECK_PACKAGES := dpkg-dev file lintian desktop-file-utils appstream
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix googletest wine wine64
FUZZ_PACKAGES := clang libclang-rt-14-dev
ALL_PACKAGES := $(RUN_PACKAGES) $(TEST_PACKAGES) $(PACKAGE_CHECK_PACKAGES) $(WINDOWS_PACKAGES) $(FUZZ_PACKAGES)

.PHONY: all deps deps-run build-run build compile check release run package package-check test test-logic-asan test-windows fuzz fuzz-run format-check clean

all: build

# Installs what is missing of $(1), as root or through sudo, with apt-get's options $(2).
define install_packages
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		if [ "$$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi; \
		$$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q $(2) $$missing; \
	fi
endef

deps-run:
	$(call install_packages,$(RUN_PACKAGES))

deps:
	$(call install_packages,$(ALL_PACKAGES))
	$(call install_packages,$(GNOME_PACKAGES),--no-install-recommends)

build: deps
	$(MAKE) compile

compile:
	@if [ ! -f $(BUILD)/build.ninja ] || [ -n "$(WERROR)" ]; then \
		cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(werror); \
	fi
	cmake --build $(BUILD) -j $(JOBS)

check: compile
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -L 'logic|widgets'

# The program alone as a packager builds it: optimised, no tests, no benchmarks.
release: deps-run
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(werror)
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

# The program alone, without tests: what a user who only wants to run Wakery needs installed.
build-run: deps-run
	@if [ ! -f $(BUILD_RUN)/build.ninja ]; then \
		cmake -S . -B $(BUILD_RUN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF; \
	fi
	cmake --build $(BUILD_RUN) -j $(JOBS)

run: build-run
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
		echo "Wakery needs a graphical display and none was found (DISPLAY is not set); run it on a virtual one with: xvfb-run -a $(BUILD_RUN)/bin/wakery"; \
		exit 1; \
	fi
	$(BUILD_RUN)/bin/wakery

# build/wakery_<version>_amd64.deb
package: build
	cd $(BUILD) && cpack -G DEB

# The package as Debian and the desktop see it: lintian errors fail, its warnings are listed.
package-check: package
	lintian --fail-on error $(BUILD)/wakery_*_amd64.deb
	desktop-file-validate packaging/org.wakery.Wakery.desktop
	appstreamcli validate --no-net packaging/org.wakery.Wakery.metainfo.xml

# The logic alone, without Qt, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-logic-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWAKERY_WITH_QT=OFF -DWAKERY_SANITIZE=ON -DWAKERY_BENCH=OFF $(werror)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# The core cross-built for Windows, its logic tests run under Wine: headless, in a Wine prefix of its own
# in the build folder, made once before the tests.
test-windows: deps
	cmake -S . -B $(BUILD_WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DWAKERY_WITH_QT=OFF -DWAKERY_BENCH=OFF $(werror)
	cmake --build $(BUILD_WINDOWS) -j $(JOBS)
	@if [ ! -f $(BUILD_WINDOWS)/wineprefix/system.reg ]; then \
		env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=$(CURDIR)/$(BUILD_WINDOWS)/wineprefix WINEDEBUG=-all \
			WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i && WINEPREFIX=$(CURDIR)/$(BUILD_WINDOWS)/wineprefix wineserver -w; \
	fi
	ctest --test-dir $(BUILD_WINDOWS) --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAKERY_WITH_QT=OFF -DWAKERY_FUZZ=ON -DWAKERY_BENCH=OFF -DBUILD_TESTING=ON $(werror)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target wakery_fuzz_store

fuzz-run: fuzz
	mkdir -p $(BUILD_FUZZ)/corpus
	$(BUILD_FUZZ)/bin/wakery_fuzz_store -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 $(BUILD_FUZZ)/corpus tests/fuzz/seeds

# C++ and Python in the house style (110 columns), and every file's licence declared.
format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	git ls-files '*.py' | xargs black --check --quiet
	reuse lint --quiet

# Every test once: a test that fails is a fault to fix, not a try to repeat.
test: deps
	$(MAKE) format-check
	$(MAKE) compile WERROR=ON
	ctest --test-dir $(BUILD) --output-on-failure
	$(MAKE) test-windows WERROR=ON
	$(MAKE) package-check
	$(MAKE) release WERROR=ON
	$(MAKE) test-logic-asan WERROR=ON
	$(MAKE) fuzz-run WERROR=ON

clean:
	rm -rf $(BUILD) $(BUILD_RUN) $(BUILD_RELEASE) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_WINDOWS)
