# make test: install what is missing, build with sanitizers and warnings as errors, run every test.
# make build: an optimised build of the programs in build/.
# make screenshots: the window pictures of the README, refreshed from the window tests.
# make bench: import throughput and where its time goes (README, "Benchmarks"); make bench-remote: the same across a delayed network.
# make package: the Debian package build-package/r58213_<version>_amd64.deb, built by debhelper and checked by lintian; make install installs it.
# make fuzz: the fuzzers built with clang, each run FUZZ_SECONDS over its corpus (README, "First look").

BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
PACKAGE_BUILD_DIR ?= build-package
CMAKE_FLAGS ?=

BENCH_PG_PORT ?= 55433
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES = dayfile configuration definition

CONFIGURE_TEST_BUILD = cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR58213_SANITIZE=ON -DR58213_WERROR=ON $(CMAKE_FLAGS)

.PHONY: all deps build test fuzz screenshots bench bench-remote bench-large soak bench-build demo package install clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR58213_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

test: deps
	$(CONFIGURE_TEST_BUILD)
	cmake --build $(TEST_BUILD_DIR)
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure --timeout 300

# Not part of test: new inputs and failures stay in $(FUZZ_BUILD_DIR)/fuzz-work.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DR58213_TESTS=OFF -DR58213_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD_DIR) --target $(addprefix r58213_fuzz_,$(FUZZ_HARNESSES))
	scripts/run-fuzzers $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS) $(FUZZ_HARNESSES)

# The windows as their tests render them offscreen, gathered into
# docs/images/ for the README.
screenshots: deps
	$(CONFIGURE_TEST_BUILD)
	cmake --build $(TEST_BUILD_DIR) --target r58213_ui_tests
	cd $(TEST_BUILD_DIR) && ctest -L gui --output-on-failure --timeout 300
	mkdir -p docs/images
	cp $(TEST_BUILD_DIR)/screenshots/*.png docs/images/

# A ready-to-run demo in ./demo: one import as the service runs it, and
# what it wrote.
demo: build
	scripts/demo $(BUILD_DIR)/r58213-cli demo

# The Debian package, built by debhelper from debian/: programs in
# /usr/bin (their state folder is /var/lib/r58213 unless --home or
# R58213_HOME says otherwise), help pages in /usr/share/r58213/help, the
# hardened units, manual pages and bash completion.
package: deps
	scripts/build-package $(PACKAGE_BUILD_DIR)
	@ls $(PACKAGE_BUILD_DIR)/r58213_*_amd64.deb

# Installs (or upgrades to) the package just built; run as root.
install: package
	apt-get install -y "./$$(ls -t $(PACKAGE_BUILD_DIR)/r58213_*_amd64.deb | head -1)"

# Import throughput into SQLite and into a throwaway PostgreSQL server.
bench: bench-build
	R58213_TARGET_PASSWORD=$$(grep '^R58213_TARGET_PASSWORD' $(BUILD_DIR)/CMakeCache.txt | cut -d= -f2) \
	  R58213_PG_PORT=$(BENCH_PG_PORT) R58213_PG_DIR=/tmp/r58213-pg-bench-$(BENCH_PG_PORT) scripts/pg-test-server start
	$(BUILD_DIR)/r58213_bench 127.0.0.1:$(BENCH_PG_PORT) $$(grep '^R58213_TARGET_PASSWORD' $(BUILD_DIR)/CMakeCache.txt | cut -d= -f2); \
	  status=$$?; R58213_PG_DIR=/tmp/r58213-pg-bench-$(BENCH_PG_PORT) scripts/pg-test-server stop; exit $$status
	$(BUILD_DIR)/r58213_chart_bench

# The PostgreSQL benchmark through a delay proxy at a round-trip time of
# 0, 1 and 5 ms: what a target a few milliseconds away costs per slot.
bench-remote: bench-build
	R58213_TARGET_PASSWORD=$$(grep '^R58213_TARGET_PASSWORD' $(BUILD_DIR)/CMakeCache.txt | cut -d= -f2) \
	  R58213_PG_PORT=$(BENCH_PG_PORT) R58213_PG_DIR=/tmp/r58213-pg-bench-$(BENCH_PG_PORT) scripts/pg-test-server start
	$(BUILD_DIR)/r58213_bench --remote 127.0.0.1:$(BENCH_PG_PORT) $$(grep '^R58213_TARGET_PASSWORD' $(BUILD_DIR)/CMakeCache.txt | cut -d= -f2); \
	  status=$$?; R58213_PG_DIR=/tmp/r58213-pg-bench-$(BENCH_PG_PORT) scripts/pg-test-server stop; exit $$status

# A year of 15-minute data for 100 variables into SQLite: time and memory.
bench-large: bench-build
	$(BUILD_DIR)/r58213_bench --large

# 30 simulated days of hourly service imports with outages: memory, descriptors, slots.
soak: bench-build
	$(BUILD_DIR)/r58213_bench --soak

bench-build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR58213_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) --target r58213_bench r58213_chart_bench

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(PACKAGE_BUILD_DIR) $(FUZZ_BUILD_DIR)
