# Front door: `make run` and `make test` work on a fresh Debian machine as root.
.PHONY: all build run test bench fuzz screenshots dist clean

all: build

build:
	scripts/build.sh

run:
	scripts/run.sh

test:
	scripts/test.sh

bench: build
	scripts/bench.sh

fuzz: build
	scripts/fuzz.sh

dist:
	scripts/dist.sh

screenshots: build
	scripts/screenshots.sh

clean:
	rm -rf build
