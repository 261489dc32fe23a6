# Front door: `make run` and `make test` work on a fresh Debian machine as root.
.PHONY: all build run test bench screenshots clean

all: build

build:
	scripts/build.sh

run:
	scripts/run.sh

test:
	scripts/test.sh

bench: build
	build/native/page_bench

screenshots: build
	scripts/screenshots.sh

clean:
	rm -rf build
