#!/usr/bin/python3
"""Checks the layer rule of docs/ARCHITECTURE.md on every #include.

    python3 tools/schichten_pruefen.py [TREE]

TREE is the checkout to check (default: the one this script lives in).
Prints one line per include that breaks the rule, as FILE:LINE: why, and
exits 1 when there is any; exits 0 on a clean tree.
"""

import os
import re
import sys

# Floors from the bottom up. A folder may include its own floor and the
# floors below it; the folders of one floor may include each other.
STOCKWERKE = {
    "platform": 1,
    "kern": 2,
    "graphics": 3,
    "assets": 4,
    "audio": 4,
    "shell": 5,
    "world": 5,
    "screens": 5,
}

# The game reaches the platform through its API only.
PLATTFORM_API = "src/platform/platform.h"

# The content generator draws what the game reads: it may use the kern,
# the tables the game shares with it and the file builders, nothing else
# of the game.
INHALT_ERLAUBT = ("src/kern/", "src/world/kulisse.h", "src/audio/effekte.h", PLATTFORM_API, "tools/bau/")

# The file builders take the layouts from the game's own headers and the
# byte order from the kern.
BAU_ERLAUBT = ("tools/bau/", "src/kern/", "src/assets/packfile.h", "src/assets/highscore.h", PLATTFORM_API)

# Only the SDL backend, its tests and the benchmarks see SDL.
SDL_ERLAUBT = ("src/platform/sdl/", "tests/sdl/", "bench/")

ORDNER = ("src", "tools", "tests", "bench", "fuzz")
ENDUNGEN = (".h", ".hpp", ".c", ".cc", ".cpp")
# Where the build looks for quoted includes, after the including folder.
SUCHPFADE = ("src", "tools", "tools/content", "tools/icons", "tests", "fuzz", "bench")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SDL = re.compile(r"^(SDL2?/|SDL(_\w+)?\.h$)")


def ist_sdl(name):
    return bool(SDL.match(name)) or bool(SDL.match(os.path.basename(name)))


def aufloesen(wurzel, datei, art, name):
    """The repository path an include names, or None when it is not ours."""
    kandidaten = []
    if art == '"':
        kandidaten.append(os.path.join(os.path.dirname(datei), name))
        kandidaten += [os.path.join(p, name) for p in SUCHPFADE]
    else:
        kandidaten.append(os.path.join("src", name))
    for k in kandidaten:
        k = os.path.normpath(k)
        if not k.startswith("..") and os.path.isfile(os.path.join(wurzel, k)):
            return k.replace(os.sep, "/")
    # A header of the game that does not exist yet still has a floor.
    if name.split("/")[0] in STOCKWERKE:
        return "src/" + name
    return None


def ort(pfad):
    """(folder, backend) of a path under src/, e.g. ("platform", "sdl")."""
    teile = pfad.split("/")
    if len(teile) < 3 or teile[0] != "src":
        return None, None
    backend = teile[2] if teile[1] == "platform" and len(teile) > 3 else None
    return teile[1], backend


def verstoss(datei, ziel):
    """Why datei may not include ziel, or None when it may."""
    if datei.startswith("src/"):
        ordner, backend = ort(datei)
        if ordner not in STOCKWERKE:
            return "src/%s/ has no floor in docs/ARCHITECTURE.md" % ordner
        if not ziel.startswith("src/"):
            return "the game may not include %s (outside src/)" % ziel
        zordner, zbackend = ort(ziel)
        if zordner not in STOCKWERKE:
            return "%s has no floor in docs/ARCHITECTURE.md" % ziel
        if STOCKWERKE[zordner] > STOCKWERKE[ordner]:
            return "%s may not include %s: %s/ is above %s/" % (ordner, ziel[4:], zordner, ordner)
        if ordner != "platform" and zordner == "platform" and ziel != PLATTFORM_API:
            return "%s may not include %s: the game sees only platform/platform.h" % (ordner, ziel[4:])
        if ordner == "platform" and zbackend and zbackend != backend:
            wer = "backend %s/" % backend if backend else "shared platform code"
            return "%s may not include %s: another backend's header" % (wer, ziel[4:])
        return None
    if datei.startswith("tools/content/"):
        if ziel.startswith("tools/content/") or ziel.startswith(INHALT_ERLAUBT):
            return None
        return "the content generator may not include %s: only kern/, the shared tables and tools/bau/" % ziel
    if datei.startswith("tools/bau/"):
        if ziel.startswith(BAU_ERLAUBT):
            return None
        return "the file builders may not include %s: only kern/ and the layouts of the game's files" % ziel
    if datei.startswith("tools/icons/"):
        if ziel.startswith("tools/icons/") or (ziel.startswith("src/platform/") and ort(ziel)[1] is None):
            return None
        return "the icon maker may not include %s: only the shared platform code" % ziel
    return None   # runner, tests, benchmarks and fuzzers may include anything


def dateien(wurzel):
    for ordner in ORDNER:
        for verzeichnis, unter, namen in os.walk(os.path.join(wurzel, ordner)):
            unter.sort()
            for name in sorted(namen):
                if name.endswith(ENDUNGEN):
                    pfad = os.path.relpath(os.path.join(verzeichnis, name), wurzel)
                    yield pfad.replace(os.sep, "/")


def pruefen(wurzel):
    fehler = []
    for datei in dateien(wurzel):
        with open(os.path.join(wurzel, datei), encoding="utf-8", errors="replace") as f:
            for nummer, zeile in enumerate(f, 1):
                m = INCLUDE.match(zeile)
                if not m:
                    continue
                art, name = m.group(1), m.group(2).strip()
                if ist_sdl(name):
                    if not datei.startswith(SDL_ERLAUBT):
                        fehler.append("%s:%d: includes %s: SDL belongs to src/platform/sdl/ (and its tests, "
                                      "the benchmarks)" % (datei, nummer, name))
                    continue
                ziel = aufloesen(wurzel, datei, art, name)
                grund = verstoss(datei, ziel) if ziel else None
                if grund:
                    fehler.append("%s:%d: %s" % (datei, nummer, grund))
    return fehler


def main(argv):
    wurzel = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    if not os.path.isdir(os.path.join(wurzel, "src")):
        print("schichten_pruefen: no src/ in %s" % wurzel, file=sys.stderr)
        return 2
    fehler = pruefen(wurzel)
    for f in fehler:
        print(f)
    if fehler:
        print("%d include(s) break the layer rule of docs/ARCHITECTURE.md" % len(fehler), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
