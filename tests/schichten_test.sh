#!/bin/sh
# The layer check itself: clean on the tree, and on a scratch copy of it it
# finds each planted include that breaks the rule, by file and line, and
# lets pass the ones the rule allows.
#   schichten_test.sh PYTHON SOURCE_DIR
python=$1
wurzel=$2
pruefer="$wurzel/tools/schichten_pruefen.py"
[ -n "$python" ] && command -v "$python" >/dev/null 2>&1 || { echo "no python3: skipped"; exit 77; }

kopie=$(mktemp -d) || exit 1
trap 'rm -rf "$kopie"' EXIT
for d in src tools tests bench fuzz; do cp -R "$wurzel/$d" "$kopie/" || exit 1; done

fehler=0
falsch() { echo "FAIL: $*"; fehler=1; }

"$python" "$pruefer" "$kopie" >"$kopie/aus" 2>&1 || { falsch "the tree itself does not pass:"; cat "$kopie/aus"; }

# pflanzen FILE LINE RESULT: appends LINE to FILE, checks the verdict
# (0: passes; 1: fails, naming FILE and the line), then takes it out again.
pflanzen() {
    datei=$1
    zeile=$2
    erwartet=$3
    cp "$kopie/$datei" "$kopie/alt" || exit 1
    printf '%s\n' "$zeile" >>"$kopie/$datei"
    n=$(wc -l <"$kopie/$datei" | tr -d ' ')
    "$python" "$pruefer" "$kopie" >"$kopie/aus" 2>/dev/null
    status=$?
    mv "$kopie/alt" "$kopie/$datei"
    if [ "$status" != "$erwartet" ]; then
        falsch "$datei + '$zeile': exit $status, expected $erwartet"
        cat "$kopie/aus"
        return
    fi
    if [ "$erwartet" = 1 ]; then
        if [ "$(wc -l <"$kopie/aus" | tr -d ' ')" != 1 ] || ! grep -q "^$datei:$n: " "$kopie/aus"; then
            falsch "$datei + '$zeile': expected one report at $datei:$n, got:"
            cat "$kopie/aus"
        fi
    fi
}

# Upward includes, SDL in the game, and the platform's own walls.
pflanzen src/graphics/ddraw.cpp '#include "shell/spiel.h"' 1
pflanzen src/world/runde.cpp '#include <SDL.h>' 1
pflanzen src/kern/kern.cpp '#include "graphics/ddraw.h"' 1
pflanzen src/audio/dsound.cpp '#include "world/welt.h"' 1
pflanzen src/platform/surface.cpp '#include "kern/kern.h"' 1
pflanzen src/platform/headless/klang.cpp '#include "platform/sdl/sdl_intern.h"' 1
pflanzen src/screens/listen.cpp '#include "platform/headless/headless.h"' 1
pflanzen src/shell/spiel.cpp '#include "runner/runner.h"' 1
pflanzen tools/content/spielfeld.cpp '#include "graphics/ddraw.h"' 1
pflanzen tools/bau/bau.cpp '#include "graphics/ddraw.h"' 1
pflanzen tests/smoke_test.cpp '#  include <SDL2/SDL_mixer.h>' 1
# What the rule allows: one floor, downward, and SDL where it belongs.
pflanzen src/assets/sound.cpp '#include "audio/musik.h"' 0
pflanzen src/audio/dsound.cpp '#include "assets/highscore.h"' 0
pflanzen src/world/zeichnen.cpp '#include "screens/screens.h"' 0
pflanzen src/graphics/ddraw.cpp '#include "kern/kern.h"' 0
pflanzen tools/content/effekte.cpp '#include "kern/kern.h"' 0
pflanzen tools/content/effekte.cpp '#include "bau/bau.h"' 0
pflanzen tools/bau/bau.cpp '#include "assets/highscore.h"' 0
pflanzen tests/sdl/sdl_ton_test.cpp '#include <SDL.h>' 0
pflanzen bench/bench_kerne.cpp '#include <SDL_mixer.h>' 0
pflanzen tests/smoke_test.cpp '#include "platform/headless/headless_intern.h"' 0

[ "$fehler" = 0 ] && echo "layer check: clean tree passes, every planted include judged right"
exit "$fehler"
