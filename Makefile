# The two front-door commands:
#   make run   installs what is missing, builds, and starts Settings on the simulated card
#   make test  installs what is missing, builds everything, and runs every test headless
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test sanitize fuzz bench package deps configure build clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD)

run: configure
	@cmake --build $(BUILD) --target Settings
	@$(BUILD)/src/Settings/Settings

test: build
	@cd $(BUILD) && ctest --output-on-failure

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer; a report
# (a leak at exit included) fails the test that caused it.
sanitize: deps
	@cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSETTINGS_SANITIZE=ON > /dev/null
	@cmake --build $(BUILD)-asan
	@cd $(BUILD)-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp \
	  ctest -j2 --output-on-failure -LE package

# The benchmark table: start-up and memory against a minimal Qt program, paints, hover,
# readout. Measured, never asserted.
bench: build
	@python3 bench/run.py --build $(BUILD)

# The Debian package, in $(BUILD)/.
package: build
	@cd $(BUILD) && cpack -G DEB

# Each libFuzzer target for FUZZ_SECONDS (default 60); new inputs that reach new code are
# kept in tests/fuzz/corpus/<target>/, which the ordinary tests replay.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = BaseAddressText:base_address BinaryValueText:binary_value HexAddress:hex_address \
  FormData:form_data JpegBytes:jpeg
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETTINGS_FUZZ=ON > /dev/null
	@cmake --build $(BUILD)-fuzz
	@for t in $(FUZZ_TARGETS); do \
	  name=$${t%%:*}; corpus=tests/fuzz/corpus/$${t##*:}; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp \
	  $(BUILD)-fuzz/tests/fuzz/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=$(BUILD)-fuzz/ -print_final_stats=1 $$corpus 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|BINGO|crash' || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz
