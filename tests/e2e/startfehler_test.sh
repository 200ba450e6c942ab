#!/bin/sh
# A game that cannot start says why: its message boxes show on the screen
# and on standard error, each waits for Return, and the game then ends.
# usage: startfehler_test.sh <game> <data folder>
. "$(dirname -- "$0")/hilfe.sh"
SPIEL=$(readlink -f -- "$1")
[ -x "$SPIEL" ] && [ -f "$2/Grafik.dat" ] || aufhoeren "usage: $0 <game> <data folder>"
x_starten 1024x768

# Confirms the message box captioned $1 with Return; false when none came.
bestaetigen() {
    id=$(meldung_suchen "$1" 15) || return 1
    sleep 0.5
    xdotool key --window "$id" Return
}

# --- a required file is missing
ORDNER="$ARBEIT/ohne"
daten_kopieren "$2" "$ORDNER" || aufhoeren "cannot copy the data files"
rm "$ORDNER/lose.wav"
spiel_starten "$ORDNER" dummy
pruefe "a missing file shows a message box" bestaetigen "Error..."
spiel_ende_warten 8000
pruefe "after which the game ends, reporting failure" eval '[ "$SPIEL_STATUS" != timeout ] && [ "$SPIEL_STATUS" != 0 ]'
pruefe "the message is on standard error" enthaelt "$ARBEIT/spiel.err" "Es fehlt mindestens eine Datei!"
pruefe "no numbered message follows" nicht enthaelt "$ARBEIT/spiel.err" "Error Nr."
pruefe "no scores are written" [ ! -e "$ORDNER/Score.dat" ]
cat "$ARBEIT/spiel.err"

# --- no sound device
ORDNER="$ARBEIT/stumm"
daten_kopieren "$2" "$ORDNER" || aufhoeren "cannot copy the data files"
spiel_starten "$ORDNER" keingeraet
pruefe "without sound the failing step shows first" bestaetigen "Error..."
pruefe "then the numbered message" bestaetigen "Error Nr.:23"
spiel_ende_warten 8000
pruefe "after which the game ends, reporting failure" eval '[ "$SPIEL_STATUS" != timeout ] && [ "$SPIEL_STATUS" != 0 ]'
pruefe "standard error names the failing step" enthaelt "$ARBEIT/spiel.err" "DSound_starten: DirectSoundCreate()"
pruefe "and the start-up error" enthaelt "$ARBEIT/spiel.err" "Dieses Spiel kann leider nicht gestartet werden!"
schritt=$(grep -an "DSound_starten" "$ARBEIT/spiel.err" | head -n 1 | cut -d: -f1)
nummer=$(grep -an "Error Nr.:23" "$ARBEIT/spiel.err" | head -n 1 | cut -d: -f1)
pruefe "in the order they were shown" eval '[ -n "$schritt" ] && [ -n "$nummer" ] && [ "$schritt" -lt "$nummer" ]'
pruefe "and last, what to do: start with --no-sound" eval 'tail -n 1 "$ARBEIT/spiel.err" | grep -qF -- "--no-sound"'
cat "$ARBEIT/spiel.err"

ende
