# The two front-door commands:
#   make run   installs what is missing, builds, and starts Settings on the simulated card
#   make test  installs what is missing, builds everything, and runs every test headless
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test deps configure build clean

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

clean:
	rm -rf $(BUILD)
