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

# The suite (with the browser build in headless Chromium), then the same
# suite once more under the sanitizers.
test: build web
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

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

# The Debian package, unsigned and binary only, into build-deb/; it is
# built from a copy of the tree, which stays clean. Then lintian on it:
# an error fails the target.
DEB_BUILD := build-deb
.PHONY: deb
deb: deps
	@sh tools/deb_bauen.sh . $(DEB_BUILD)
	lintian $(DEB_BUILD)/glubbershoot_*.changes

# The pictures of the README: the headless game plays
# tools/screenshots.script in a scratch copy of the data folder.
screenshots: build
	@set -e; tmp=$$(mktemp -d); trap 'rm -rf "$$tmp"' EXIT; \
	for f in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav; do \
	  cp $(BUILD)/data/$$f "$$tmp/"; done; \
	$(BUILD)/glubbershoot-headless --dir "$$tmp" --script tools/screenshots.script --until 30000 >"$$tmp/log"; \
	mkdir -p docs; \
	for b in titel menue spiel; do convert "$$tmp/$$b.bmp" "docs/$$b.png"; echo "docs/$$b.png"; done

# The unit and headless tests once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/; any report fails them. The
# scripts (the real program under Xvfb, the install, the package) and the
# checks of the source are only in the plain pass: tests/CMakeLists.txt
# leaves them out of this build.
ASAN_BUILD := build-asan
ASAN_ZIELE := glubbershoot_tests|glubbershoot_sdl_tests|glubbershoot_install_tests|glubbershoot-soak
.PHONY: test-asan
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGLUBBER_SANITIZE=ON >/dev/null
	@ziele=$$(cmake --build $(ASAN_BUILD) --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p' | grep -xE '$(ASAN_ZIELE)'); \
	  cmake --build $(ASAN_BUILD) -j $(JOBS) --target $$ziele
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -E '_NOT_BUILT$$'

# The long run, not part of `make test`: SOAK_ROUNDS (default 200) rounds
# of random input against the real game on the headless backend, built
# with the sanitizers into build-asan/. It prints its seed; SOAK_SEED=n
# plays that run again.
SOAK_ROUNDS ?= 200
.PHONY: soak
soak: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGLUBBER_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target glubbershoot-soak
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  SOAK_ROUNDS=$(SOAK_ROUNDS) $(ASAN_BUILD)/tools/soak/glubbershoot-soak

# libFuzzer on every reader of outside data (needs clang and its runtime):
# each target runs FUZZ_SECONDS (default 60) and any finding fails.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	@CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@sh fuzz/laufen.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) packfile bild sound score skript

# The performance figures, not part of `make test`: the benchmarks (hot
# kernels beside memcpy and SDL's own blits, whole frames, the start-up)
# and the real game's processor time under Xvfb, each ending in one
# "target <name> <measured> <limit> ok|FAIL" line per target.
.PHONY: bench
bench: build
	@cmake --build $(BUILD) --target glubbershoot_bench -j $(JOBS)
	@status=0; \
	$(BUILD)/bench/glubbershoot_bench || status=1; \
	sh bench/cpu_messen.sh $(BUILD)/glubbershoot $(BUILD)/data || status=1; \
	exit $$status

# The game in a web page, built with Emscripten into build-web/ (the
# native content generator of build/ makes the data files it carries);
# `make serve-web` serves it at http://localhost:8000/.
WEB_BUILD := build-web
WEB_PORT ?= 8000
.PHONY: web serve-web bench-web
web: configure
	@cmake --build $(BUILD) --target content -j $(JOBS)
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DGLUBBER_WEB_DATEN=$(CURDIR)/$(BUILD)/data >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS)

serve-web: web
	@echo "Glubbershoot in the browser: http://localhost:$(WEB_PORT)/  (Ctrl+C stops the server)"
	@cd $(WEB_BUILD) && /usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The browser build's figures in headless Chromium (frame cost, load
# time, download, processor in the menu) beside the desktop's frame.
bench-web: web
	@cmake --build $(BUILD) --target glubbershoot_bench -j $(JOBS)
	@/usr/bin/python3 bench/web_messen.py --web $(WEB_BUILD) --desktop-bench $(BUILD)/bench/glubbershoot_bench
