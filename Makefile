# make test: install what is missing, build with sanitizers, run every test.
# make build: an optimised build of the programs in build/.

BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
CMAKE_FLAGS ?=

.PHONY: all deps build test clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR58213_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

test: deps
	cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR58213_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(TEST_BUILD_DIR)
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure --timeout 300

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR)
