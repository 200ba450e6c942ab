# shellcheck shell=sh
# Shared by the shell tests: checks with a count, a scratch folder, and a
# virtual X server with the real game in it. Sourced, not run.

GEPRUEFT=0
FEHLGESCHLAGEN=0
ARBEIT=$(mktemp -d "${TMPDIR:-/tmp}/glubber-e2e.XXXXXX") || exit 1
X_PID=""
WM_PID=""
SPIEL_PID=""
ANZEIGE=""

# pruefe "<description>" <command...>; a condition joined with && or ||
# goes in whole as eval '<text>', or only its first part would count.
pruefe() {
    beschreibung=$1
    shift
    GEPRUEFT=$((GEPRUEFT + 1))
    if "$@"; then
        echo "ok: $beschreibung"
    else
        FEHLGESCHLAGEN=$((FEHLGESCHLAGEN + 1))
        echo "FAILED: $beschreibung"
    fi
}

ueberspringen() {
    echo "skipped: $*"
    exit 77
}

aufhoeren() {
    echo "error: $*" >&2
    exit 1
}

# Only what this test started, by its own ids.
aufraeumen() {
    for pid in $SPIEL_PID $WM_PID $X_PID; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    SPIEL_PID="" WM_PID="" X_PID=""
    rm -rf -- "$ARBEIT"
}
trap aufraeumen EXIT
trap 'exit 1' INT TERM HUP

ende() {
    echo "$((GEPRUEFT - FEHLGESCHLAGEN)) passed, $FEHLGESCHLAGEN failed"
    [ "$FEHLGESCHLAGEN" -eq 0 ]
    exit $?
}

# Milliseconds since the epoch.
jetzt_ms() {
    echo $(($(date +%s%N) / 1000000))
}

enthaelt() {
    grep -qF -- "$2" "$1"
}

nicht() {
    ! "$@"
}

braucht() {
    for programm in "$@"; do
        command -v "$programm" >/dev/null 2>&1 || ueberspringen "$programm is not installed"
    done
}

# Starts Xvfb on a free display among :97..:120 (parallel test runs must
# not meet), with the screen size given as WIDTHxHEIGHT.
x_starten() {
    braucht Xvfb xdotool xwininfo import convert compare
    n=97
    while [ $n -le 120 ]; do
        if ! [ -e /tmp/.X$n-lock ] && ! [ -e /tmp/.X11-unix/X$n ]; then
            Xvfb :$n -screen 0 "$1x24" -nolisten tcp -noreset >"$ARBEIT/xvfb.log" 2>&1 &
            X_PID=$!
            warte=0
            while [ $warte -lt 50 ]; do
                if DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
                    ANZEIGE=:$n
                    export DISPLAY=$ANZEIGE
                    return 0
                fi
                kill -0 "$X_PID" 2>/dev/null || break
                sleep 0.1
                warte=$((warte + 1))
            done
            kill "$X_PID" 2>/dev/null && wait "$X_PID" 2>/dev/null
            X_PID=""
        fi
        n=$((n + 1))
    done
    aufhoeren "no free display for Xvfb in :97..:120"
}

# Runs the lookup "$2 $1" every 0.1 s for up to $3 s and prints the first
# id it gives.
id_abwarten() {
    versuche=$(($3 * 10))
    while [ "$versuche" -gt 0 ]; do
        id=$($2 "$1")
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
        versuche=$((versuche - 1))
    done
    return 1
}

fenster_mit_namen() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1; }
# xdotool does not match the UTF-8 names of SDL's message boxes, so the
# window tree is read instead.
meldung_mit_namen() { xwininfo -root -tree 2>/dev/null | grep -aF "\"$1\":" | awk '{print $1; exit}'; }

# The id of the first window whose name is exactly $1, waiting up to $2 s.
fenster_suchen() { id_abwarten "$1" fenster_mit_namen "$2"; }

# The id of a window named exactly $1 (a message box's caption), waiting
# up to $2 s.
meldung_suchen() { id_abwarten "$1" meldung_mit_namen "$2"; }

# Starts the game $SPIEL in folder $1 with the audio driver $2 and the
# options that follow.
spiel_starten() {
    ordner=$1
    treiber=$2
    shift 2
    (cd "$ordner" && exec env SDL_AUDIODRIVER="$treiber" ${SPIEL_ENV:-} "$SPIEL" "$@") >"$ARBEIT/spiel.out" \
        2>"$ARBEIT/spiel.err" &
    SPIEL_PID=$!
}

# Sets FENSTER to the game's window once it has come and settled for $1 s
# (SDL may replace its first window meanwhile); empty when none came.
fenster_abwarten() {
    FENSTER=$(fenster_suchen Glubbershoot 15) || return 1
    sleep "$1"
    FENSTER=$(fenster_suchen Glubbershoot 5)
}

# Waits up to $1 ms for the game to end; its status is in SPIEL_STATUS.
spiel_ende_warten() {
    bis=$(($(jetzt_ms) + $1))
    while kill -0 "$SPIEL_PID" 2>/dev/null; do
        if [ "$(jetzt_ms)" -gt "$bis" ]; then
            SPIEL_STATUS=timeout
            return 1
        fi
        sleep 0.02
    done
    wait "$SPIEL_PID"
    SPIEL_STATUS=$?
    SPIEL_PID=""
    return 0
}

# Space on the title; the menu that follows in the screenshot $1.
menue_zeigen() {
    xdotool key space
    sleep 0.8
    bild "$1"
}

# From the menu through the quit prompt, then waits for the end (4 s
# after the menu came).
menue_beenden() {
    xdotool key Escape
    sleep 0.5
    xdotool key j
    spiel_ende_warten 8000
}

bild() {
    import -window root "$ARBEIT/$1.png"
}

# True when the picture is more than one flat colour.
nicht_flach() {
    [ "$(convert "$1" -format '%k' info:)" -gt 1 ]
}

# True when the picture is a single colour.
flach() {
    [ "$(convert "$1" -format '%k' info:)" -eq 1 ]
}

# Count of differing pixels of the region $3 (WxH+X+Y) in two pictures.
unterschied() {
    compare -metric AE "$1[$3]" "$2[$3]" null: 2>&1 | cut -d' ' -f1
}

bereich_gleich() {
    [ "$(unterschied "$1" "$2" "$3")" = 0 ]
}

bereich_anders() {
    [ "$(unterschied "$1" "$2" "$3")" != 0 ]
}

# The generated data files in a folder of their own, so no run leaves a
# "Score.dat" in the build's data folder. The game only reads them: links
# where the file system allows, else copies.
daten_kopieren() {
    mkdir -p "$2" || return 1
    quelle=$(readlink -f -- "$1") || return 1
    for datei in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav; do
        ln -s -- "$quelle/$datei" "$2/" 2>/dev/null || cp -- "$quelle/$datei" "$2/" || return 1
    done
}

# Plays an installed game through its launcher $1 as a player with the
# fresh home $2 until the title shows, then leaves it with Escape. Needs
# x_starten first; the player's folder is then in SPIELER.
installiert_spielen() {
    SPIELER="$2/.local/share/glubbershoot"
    mkdir -p "$2"
    (cd / && exec env -u XDG_DATA_HOME HOME="$2" SDL_AUDIODRIVER=dummy "$1") \
        >"$ARBEIT/spiel.out" 2>"$ARBEIT/spiel.err" &
    SPIEL_PID=$!
    fenster_abwarten 1.5
    pruefe "the game's window appears" [ -n "$FENSTER" ]
    pruefe "the game is still running" kill -0 "$SPIEL_PID"
    bild titel
    pruefe "the title shows (not one flat colour)" nicht_flach "$ARBEIT/titel.png"
    pruefe "the player's folder holds the data files" eval '[ -e "$SPIELER/Grafik.dat" ] && [ -e "$SPIELER/credits.wav" ]'
    [ -n "$FENSTER" ] && xdotool key --window "$FENSTER" Escape
    spiel_ende_warten 8000
    pruefe "Escape on the title ends the game with status 0" [ "$SPIEL_STATUS" = 0 ]
    pruefe "the scores are written in the player's folder" [ "$(stat -c %s "$SPIELER/Score.dat" 2>/dev/null)" = 288 ]
    pruefe "nothing on standard error" [ ! -s "$ARBEIT/spiel.err" ]
    cat "$ARBEIT/spiel.err"
}

# The arguments of the install tests, <build folder> <cmake> <data folder>
# <data file>...: sets BAU, CMAKE, DATEN, DATENDATEIEN, QUELLE (the source
# folder of the build), and MANIFEST and ORDNERLISTE, what the staged
# install notes for its uninstall.
install_argumente() {
    [ $# -gt 3 ] && [ -f "$1/cmake_install.cmake" ] ||
        aufhoeren "usage: $0 <build folder> <cmake> <data folder> <data file>..."
    BAU=$1
    CMAKE=$2
    DATEN=$3
    shift 3
    DATENDATEIEN=$*
    QUELLE=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$BAU/CMakeCache.txt")
    [ -f "$QUELLE/cmake/install.cmake" ] || aufhoeren "cannot find the source folder"
    MANIFEST="$BAU/install_manifest_glubbershoot.txt"
    ORDNERLISTE="$BAU/install_ordner_glubbershoot.txt"
}

# Installs the build below the staging folder $1 with the prefix $2, in a
# component of its own, so the manifest of a real install stays as it is.
stufe_installieren() {
    DESTDIR="$1" "$CMAKE" --install "$BAU" --prefix "$2" --component glubbershoot >"$ARBEIT/install.log" 2>&1
}

# Takes away what stufe_installieren placed, as `make uninstall` does.
stufe_deinstallieren() {
    "$CMAKE" -DGLUBBER_AUFGABE=deinstallieren -DGLUBBER_MANIFEST="$MANIFEST" -DGLUBBER_ORDNER_LISTE="$ORDNERLISTE" \
        -P "$QUELLE/cmake/install.cmake" >"$ARBEIT/uninstall.log" 2>&1
}

# True when desktop-file-validate has nothing to say about the entry $1;
# what it says goes to the log.
eintrag_gueltig() {
    desktop-file-validate "$1" >"$ARBEIT/validate" 2>&1 && [ ! -s "$ARBEIT/validate" ] && return 0
    cat "$ARBEIT/validate"
    return 1
}

# The files (not folders) below $1, one relative path a line, sorted.
dateiliste() {
    (cd "$1" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
}
