# Two entry points: `make play` and `make test`. Both install what is
# missing first and build into build/.
BUILD := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: play test deps configure build

deps:
	@sh tools/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/data && ../glubbershoot

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
