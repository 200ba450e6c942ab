#!/bin/sh
# The launcher in a staged tree whose "game" only reports where it ran and
# what it found: the player's folder, the links, the refresh rules.
# usage: starter_test.sh <launcher script>
. "$(dirname -- "$0")/hilfe.sh"
[ -f "${1-}" ] || aufhoeren "usage: $0 <launcher>"

BAUM="$ARBEIT/pre fix"
mkdir -p "$BAUM/games" "$BAUM/lib/games/glubbershoot" "$BAUM/share/games/glubbershoot"
cp -- "$1" "$BAUM/games/glubbershoot"
chmod +x "$BAUM/games/glubbershoot"
cat >"$BAUM/lib/games/glubbershoot/glubbershoot" <<'EOF'
#!/bin/sh
pwd >"$BERICHT"
echo "$#" >>"$BERICHT"
echo "$*" >>"$BERICHT"
exit "${SPIEL_STATUS:-0}"
EOF
chmod +x "$BAUM/lib/games/glubbershoot/glubbershoot"
DATEN="$BAUM/share/games/glubbershoot"
for datei in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav lied.mp3; do
    echo "installed $datei" >"$DATEN/$datei"
done
# Older than anything the tests make later.
touch -d '2001-01-01' "$DATEN"/*

export BERICHT="$ARBEIT/bericht"
STARTER="$BAUM/games/glubbershoot"
HEIMAT="$ARBEIT/zu hause"
mkdir -p "$HEIMAT"
ORDNER="$HEIMAT/.local/share/glubbershoot"

# A display as the launcher sees it; the fake game needs none.
export DISPLAY="${DISPLAY:-:0}"

starten() {
    rm -f "$BERICHT"
    env -u XDG_DATA_HOME HOME="$HEIMAT" "$STARTER" "$@" >"$ARBEIT/aus" 2>"$ARBEIT/err"
}

# --- help and options
starten --help
pruefe "--help succeeds" [ $? -eq 0 ]
pruefe "--help names SDL_AUDIODRIVER" enthaelt "$ARBEIT/aus" SDL_AUDIODRIVER
pruefe "--help names SDL_VIDEODRIVER" enthaelt "$ARBEIT/aus" SDL_VIDEODRIVER
pruefe "--help says where the scores live" enthaelt "$ARBEIT/aus" Score.dat
pruefe "--help does not start the game" [ ! -e "$BERICHT" ]
for option in --window --fullscreen --integer-scale --sharp-scale --no-sound glubbershoot.conf; do
    pruefe "--help names $option" enthaelt "$ARBEIT/aus" "$option"
done
starten --window --fulscreen
pruefe "an unknown option is refused" [ $? -eq 2 ]
pruefe "and named" enthaelt "$ARBEIT/err" "--fulscreen"
pruefe "without starting the game" [ ! -e "$BERICHT" ]
pruefe "or making the player's folder" [ ! -e "$ORDNER" ]

# --- first start
starten
pruefe "first start succeeds" [ $? -eq 0 ]
pruefe "the game runs in the player's folder" [ "$(head -n 1 "$BERICHT")" = "$ORDNER" ]
pruefe "the game gets no arguments" [ "$(sed -n 2p "$BERICHT")" = 0 ]
starten --window --no-sound
pruefe "the game's options are passed on, in order" [ "$(sed -n 3p "$BERICHT")" = "--window --no-sound" ]
alle_da=true
for datei in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav lied.mp3; do
    [ "$(cat "$ORDNER/$datei")" = "installed $datei" ] || alle_da=false
done
pruefe "every installed file is there" $alle_da
pruefe "no scores are made up" [ ! -e "$ORDNER/Score.dat" ]
pruefe "no temporary files are left" [ -z "$(find "$ORDNER" -name '.*' -type l -o -name '.*' -type f)" ]

# --- the player's own files survive, stale copies are refreshed
echo "my scores" >"$ORDNER/Score.dat"
echo "my tune" >"$ORDNER/eigen.mp3"
rm "$ORDNER/main.wav"
echo "old copy" >"$ORDNER/main.wav"
touch -d '1999-01-01' "$ORDNER/main.wav"
rm "$ORDNER/lied.mp3"
echo "my own lied" >"$ORDNER/lied.mp3"
starten
pruefe "second start succeeds" [ $? -eq 0 ]
pruefe "the scores are kept" [ "$(cat "$ORDNER/Score.dat")" = "my scores" ]
pruefe "the player's music is kept" [ "$(cat "$ORDNER/eigen.mp3")" = "my tune" ]
pruefe "an older copy is replaced" [ "$(cat "$ORDNER/main.wav")" = "installed main.wav" ]
pruefe "a newer file of the player's is kept" [ "$(cat "$ORDNER/lied.mp3")" = "my own lied" ]

# --- an update of the installed files
echo "updated Sound.dat" >"$DATEN/Sound.dat"
rm "$DATEN/credits.wav"
ln -s "$ARBEIT/nirgends" "$ORDNER/kaputt.mp3"
starten
pruefe "an updated file is seen" [ "$(cat "$ORDNER/Sound.dat")" = "updated Sound.dat" ]
pruefe "a link to a file no longer installed goes" [ ! -L "$ORDNER/credits.wav" ]
pruefe "the player's own broken link stays" [ -L "$ORDNER/kaputt.mp3" ]
echo "installed credits.wav" >"$DATEN/credits.wav"

# --- where the folder is
XDG="$ARBEIT/xdg daten"
rm -f "$BERICHT"
HOME="$HEIMAT" XDG_DATA_HOME="$XDG" "$STARTER"
pruefe "XDG_DATA_HOME is honoured" [ "$(head -n 1 "$BERICHT")" = "$XDG/glubbershoot" ]
rm -f "$BERICHT"
(cd "$ARBEIT" && HOME="$HEIMAT" XDG_DATA_HOME="relativ" "$STARTER")
pruefe "a relative XDG_DATA_HOME is ignored" [ "$(head -n 1 "$BERICHT")" = "$ORDNER" ]
pruefe "and makes no folder" [ ! -e "$ARBEIT/relativ" ]

ln -s "$STARTER" "$ARBEIT/verknuepfung"
rm -f "$BERICHT"
HOME="$HEIMAT" "$ARBEIT/verknuepfung"
pruefe "started through a link it finds its tree" [ "$(head -n 1 "$BERICHT")" = "$ORDNER" ]

# --- failures
SPIEL_STATUS=3 starten
pruefe "the game's exit status is passed on" [ $? -eq 3 ]
echo "a file" >"$ARBEIT/datei"
rm -f "$BERICHT"
env -u XDG_DATA_HOME HOME="$ARBEIT/datei" "$STARTER" 2>"$ARBEIT/err"
status=$?
pruefe "a folder that cannot be made stops the start" eval '[ "$status" -eq 1 ] && [ ! -e "$BERICHT" ]'
pruefe "with a message" [ -s "$ARBEIT/err" ]
env -u XDG_DATA_HOME -u HOME "$STARTER" 2>"$ARBEIT/err"
pruefe "no HOME and no XDG_DATA_HOME is an error" [ $? -eq 1 ]
rm -f "$BERICHT"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER HOME="$HEIMAT" "$STARTER" 2>"$ARBEIT/err"
status=$?
pruefe "without a display the game is not started" eval '[ "$status" -eq 1 ] && [ ! -e "$BERICHT" ]'
pruefe "and the message names the variables" enthaelt "$ARBEIT/err" "WAYLAND_DISPLAY"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$HEIMAT" SDL_VIDEODRIVER=kmsdrm "$STARTER"
status=$?
pruefe "a driver named by hand is trusted" eval '[ "$status" -eq 0 ] && [ -e "$BERICHT" ]'
chmod -x "$BAUM/lib/games/glubbershoot/glubbershoot"
starten
pruefe "a missing game is reported" [ $? -eq 1 ]
pruefe "by name" enthaelt "$ARBEIT/err" "lib/games/glubbershoot/glubbershoot"

ende
