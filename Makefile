# The two everyday commands:
#   make run    build and start the programmer
#   make test   build and run every test
.PHONY: run test demo build configure deps bench format clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default

run: build
	./build/app/varno-programmer

test: build
	ctest --preset default

demo: build
	./scripts/demo.sh

bench: build
	for b in build/bench/bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen "$$b"; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
