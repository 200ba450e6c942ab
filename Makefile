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

# Every picture of Grafik.dat for review, into build/contact-sheet/
# (contact-sheet.bmp holds them all on one page).
.PHONY: contact-sheet
contact-sheet: configure
	@cmake --build $(BUILD) --target contact-sheet -j $(JOBS)

# Installs under $(PREFIX) (default /usr/local), staged below $(DESTDIR)
# when given; `make uninstall` removes exactly what the install placed.
PREFIX ?= /usr/local
.PHONY: install uninstall screenshots

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	cmake --build $(BUILD) --target uninstall

# The pictures of the README: the headless game plays
# tools/screenshots.script in a scratch copy of the data folder.
screenshots: build
	@set -e; tmp=$$(mktemp -d); trap 'rm -rf "$$tmp"' EXIT; \
	for f in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav; do \
	  cp $(BUILD)/data/$$f "$$tmp/"; done; \
	$(BUILD)/glubbershoot-headless --dir "$$tmp" --script tools/screenshots.script --until 30000 >"$$tmp/log"; \
	mkdir -p docs; \
	for b in titel menue spiel; do convert "$$tmp/$$b.bmp" "docs/$$b.png"; echo "docs/$$b.png"; done
