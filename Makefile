# The two everyday commands:
#   make run    build and start the programmer
#   make test   build and run every test: the normal build, the same suite under
#               AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers, and
#               the Windows build's tests under Wine (skipped, in one line, where
#               the Windows toolchain or Wine is missing)
# On a bare Debian without make, run ./scripts/install-deps.sh once first.
.PHONY: run test test-quick windows test-windows demo package build build-sanitize configure deps bench fuzz format clean

FUZZ_SECONDS ?= 20

deps:
	./scripts/install-deps.sh

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default

run: build
	./build/app/varno-programmer

build-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

# Fuzz first, so that the run ends with the test summaries. The tests leave
# most of the processors idle: the Windows stage's build takes what they leave
# (at the lowest priority, so that it never slows them), then the stage runs.
test: build build-sanitize
	nice -n 19 ./scripts/windows.sh prebuild & prebuild=$$!; status=0; \
	{ ./scripts/fuzz.sh $(FUZZ_SECONDS) && ctest --preset default && \
	  ctest --preset sanitize; } || status=$$?; \
	wait $$prebuild; \
	[ $$status = 0 ] || exit $$status; \
	./scripts/windows.sh stage

# The Windows build (MinGW-w64 cross build) with its installer and portable
# zip in build-windows/, and all its tests under Wine. See README, "Windows".
windows: deps
	./scripts/windows.sh build

test-windows: build windows
	./scripts/windows.sh test

# The normal build's tests only.
test-quick: build
	ctest --preset default

fuzz: build-sanitize
	./scripts/fuzz.sh $(FUZZ_SECONDS)

# The emulated player and a programmer wired to it, with a settings file of
# its own (build/demo/), so that `make run` keeps its own port.
demo: build
	./scripts/demo.sh

# The Debian package, in build/.
package: build
	cd build && cpack -G DEB

bench: build
	./scripts/bench.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-windows
