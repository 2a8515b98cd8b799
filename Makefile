# The two set-up commands: `make run` and `make test`. Both install what is missing first.
# `make check` is the quick loop: build, then the logic and widget tests, nothing installed.
SHELL := /bin/bash
BUILD ?= build
BUILD_RELEASE ?= build-release
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
# WERROR=ON makes every warning an error (make test sets it); left empty, a build folder keeps its choice.
WERROR ?=
werror = $(if $(WERROR),-DWAKERY_WERROR=$(WERROR))

# Build, program and test dependencies, all from the distribution.
PACKAGES := build-essential cmake ninja-build pkg-config git \
	qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins libgl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format \
	fonts-dejavu-core fonts-liberation \
	xvfb xauth xdotool x11-utils imagemagick trayer faketime libfaketime \
	pulseaudio pulseaudio-utils sox \
	dbus dbus-x11 at-spi2-core python3 python3-gi gir1.2-atspi-2.0 procps strace

.PHONY: all deps build compile check release run test test-logic-asan fuzz fuzz-run format-check clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		if [ "$$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi; \
		$$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q $$missing; \
	fi

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
release: deps
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(werror)
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
		echo "Wakery needs a graphical display and none was found (DISPLAY is not set); run it on a virtual one with: xvfb-run -a $(BUILD)/bin/wakery"; \
		exit 1; \
	fi
	$(BUILD)/bin/wakery

# The logic alone, without Qt, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-logic-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWAKERY_WITH_QT=OFF -DWAKERY_SANITIZE=ON -DWAKERY_BENCH=OFF $(werror)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAKERY_WITH_QT=OFF -DWAKERY_FUZZ=ON -DWAKERY_BENCH=OFF -DBUILD_TESTING=ON $(werror)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target wakery_fuzz_store

fuzz-run: fuzz
	mkdir -p $(BUILD_FUZZ)/corpus
	$(BUILD_FUZZ)/bin/wakery_fuzz_store -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 $(BUILD_FUZZ)/corpus tests/fuzz/seeds

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# Every test once: a test that fails is a fault to fix, not a try to repeat.
test: deps
	$(MAKE) format-check
	$(MAKE) compile WERROR=ON
	ctest --test-dir $(BUILD) --output-on-failure
	$(MAKE) release WERROR=ON
	$(MAKE) test-logic-asan WERROR=ON
	$(MAKE) fuzz-run WERROR=ON

clean:
	rm -rf $(BUILD) $(BUILD_RELEASE) $(BUILD_ASAN) $(BUILD_FUZZ)
