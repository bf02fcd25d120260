# One-command set-up, build, run and test on a Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= inifile numtext richtext danreader uddfreader subsurfacereader deco
# Events of the long monkey run; MONKEY_SEED replays one run.
MONKEY_EVENTS ?= 100000
MONKEY_SEED ?=
JOBS       ?= $(shell nproc)
# ON makes compiler warnings errors; .ci/run builds so.
WERROR     ?= OFF
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES   := cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev xvfb xauth poppler-utils pandoc \
              librsvg2-bin dpkg-dev file desktop-file-utils appstream shared-mime-info xdg-utils \
              libfile-mimeinfo-perl lintian locales clang libclang-rt-14-dev clang-format \
              libqcustomplot-dev libqcustomplot2.1-qt6 fonts-liberation2

.PHONY: all deps build run test test-asan fuzz monkey bench package clean

all: build

# Installs only what is missing, so a second run costs nothing.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
	@# The tests run once more under a locale that writes decimals with a comma.
	@locale -a 2>/dev/null | grep -qix 'de_DE.utf8' || { \
		grep -qs '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $(SUDO) tee -a /etc/locale.gen >/dev/null; \
		$(SUDO) locale-gen; }

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_WARNINGS_AS_ERRORS=$(WERROR)

# A build folder configured before with the other WERROR is configured again.
build: deps $(BUILD)/CMakeCache.txt
	@grep -qx 'TIDEWELL_WARNINGS_AS_ERRORS:BOOL=$(WERROR)' $(BUILD)/CMakeCache.txt || \
		cmake -S . -B $(BUILD) -DTIDEWELL_WARNINGS_AS_ERRORS=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/Tidewell

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTIDEWELL_SANITIZE=ON -DTIDEWELL_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

# The fuzz targets under libFuzzer with ASan and UBSan, each for FUZZ_SECONDS.
# New inputs collect in $(FUZZ_BUILD)/corpus/<target>, crashes in
# $(FUZZ_BUILD)/crashes/<target>: a crash found is fixed and its input goes
# to tests/fuzz/crashes/<target>/, where `make test` replays it.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_FUZZ=ON -DTIDEWELL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@for t in $(FUZZ_TARGETS); do \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/crashes/$$t; \
		QT_QPA_PLATFORM=offscreen $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
			-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_BUILD)/crashes/$$t/ \
			$(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t tests/fuzz/crashes/$$t || exit 1; \
	done

# Random use of every window for MONKEY_EVENTS events (`make test` runs 2,000).
# With BUILD=$(ASAN_BUILD) after `make test-asan`, under ASan and UBSan.
monkey: build
	cmake --build $(BUILD) -j $(JOBS) --target tst_monkey
	@# QtTest would stop a test function after 5 minutes; the long run takes longer.
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 QTEST_FUNCTION_TIMEOUT=86400000 \
		TIDEWELL_MONKEY_EVENTS=$(MONKEY_EVENTS) \
		TIDEWELL_MONKEY_SEED=$(MONKEY_SEED) tests/monkey/tst_monkey -maxwarnings 100

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@for b in $(BUILD)/bench/bench_*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then \
			echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; \
		fi; \
	done
	@# Start-up once more as a user sees it: painted on an X display.
	@echo "== bench_startup on an X display (Xvfb)"
	@xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb $(BUILD)/bench/bench_startup

# The Debian package, written into the build folder.
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
