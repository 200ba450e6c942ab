#!/bin/sh
# The game on a 1920 x 1080 screen, in a window and full screen: --window,
# Alt+Return there and back, the choice kept for the next start, the
# sharp scaling measured on the game's thin lines, the integer scaling's
# exact pixels, and --no-sound on a machine without a sound device.
# usage: fenster_test.sh <game> <data folder> <window manager> <headless game>
. "$(dirname -- "$0")/hilfe.sh"
SPIEL=$(readlink -f -- "$1")
WM=$3
HEADLESS=$4
KANTEN="$(dirname -- "$0")/kanten.py"
[ -x "$SPIEL" ] && [ -f "$2/Grafik.dat" ] && [ -x "$WM" ] && [ -x "$HEADLESS" ] ||
    aufhoeren "usage: $0 <game> <data folder> <window manager> <headless game>"
braucht python3
ORDNER="$ARBEIT/spiel"
daten_kopieren "$2" "$ORDNER" || aufhoeren "cannot copy the data files"

# The menu as the game draws it, from the headless game: where its thin
# lines are, and the exact pixels an integer scale must show.
mkdir -p "$ARBEIT/kopflos"
daten_kopieren "$2" "$ARBEIT/kopflos" || aufhoeren "cannot copy the data files"
printf '2000 key SPACE\n3000 shot menue.bmp\n' >"$ARBEIT/menue.script"
"$HEADLESS" --dir "$ARBEIT/kopflos" --script "$ARBEIT/menue.script" --until 4000 >/dev/null
[ -f "$ARBEIT/kopflos/menue.bmp" ] || aufhoeren "the headless game drew no menu"
convert "$ARBEIT/kopflos/menue.bmp" "$ARBEIT/menue.png"
convert "$ARBEIT/kopflos/menue.bmp" "$ARBEIT/menue.ppm"

x_starten 1920x1080
"$WM" >"$ARBEIT/wm.log" 2>&1 &
WM_PID=$!
sleep 0.3

groesse() { xwininfo -id "$FENSTER" | awk '/Width:/ { b = $2 } /Height:/ { h = $2 } END { print b "x" h }'; }

# The widths of the menu's one-pixel lines in screenshot $1, scaled into 1440 x 1080 at x 240.
linien() {
    convert "$ARBEIT/$1.png" "$ARBEIT/$1.ppm"
    python3 "$KANTEN" "$ARBEIT/menue.ppm" "$ARBEIT/$1.ppm" 240 0 1440 1080
}
wert() { echo "$2" | awk -v n="$1" '{ for (i = 1; i < NF; ++i) if ($i == n) print $(i + 1) }'; }

# --- a window, full screen and back
spiel_starten "$ORDNER" dummy --window
fenster_abwarten 1.5
pruefe "the window appears" [ -n "$FENSTER" ]
[ -n "$FENSTER" ] || ende
pruefe "--window opens a window of 1024 x 768" [ "$(groesse)" = 1024x768 ]
pruefe "the choice is remembered" enthaelt "$ORDNER/glubbershoot.conf" "window=1"
menue_zeigen fenster_menue
pruefe "the menu shows in the window, unscaled" bereich_gleich "$ARBEIT/fenster_menue.png" "$ARBEIT/menue.png" \
    1024x768+448+156
xdotool key alt+Return
sleep 1.2
pruefe "Alt+Return makes it full screen" [ "$(groesse)" = 1920x1080 ]
bild voll
pruefe "black bars at the sides" eval 'flach "$ARBEIT/voll.png[240x1080+0+0]" && flach "$ARBEIT/voll.png[240x1080+1680+0]"'
pruefe "the picture fills the height between" nicht_flach "$ARBEIT/voll.png[1440x1080+240+0]"
ergebnis=$(linien voll)
echo "sharp scaling at 1.40625: $ergebnis"
pruefe "the menu's thin lines were found" [ "$(wert lines "$ergebnis")" -ge 20 ]
pruefe "each is 1 or 2 screen pixels wide" eval '[ "$(wert narrowest "$ergebnis")" -ge 1 ] && [ "$(wert widest "$ergebnis")" -le 2 ]'
xdotool key alt+Return
sleep 1.2
pruefe "and back into a window of 1024 x 768" [ "$(groesse)" = 1024x768 ]
bild fenster_zurueck
pruefe "the same menu, colours and all: Alt+Return was no Return for the game" \
    bereich_gleich "$ARBEIT/fenster_menue.png" "$ARBEIT/fenster_zurueck.png" 1024x768+448+156
menue_beenden
pruefe "the game ends with status 0" [ "$SPIEL_STATUS" = 0 ]
pruefe "no message on standard error" [ ! -s "$ARBEIT/spiel.err" ]
cat "$ARBEIT/spiel.err"

# --- the next start remembers the window
spiel_starten "$ORDNER" dummy
fenster_abwarten 1.5
pruefe "started without options, it comes back as a window" [ "$(groesse)" = 1024x768 ]
xdotool key space
sleep 0.5
menue_beenden

# --- linear scaling all the way, as before: the measure sees its smear
SPIEL_ENV=GLUBBERSHOOT_SCALE=linear spiel_starten "$ORDNER" dummy --fullscreen
fenster_abwarten 1.5
menue_zeigen linear
ergebnis=$(linien linear)
echo "linear scaling at 1.40625: $ergebnis"
pruefe "linear scaling smears some thin lines over 3 pixels" [ "$(wert smeared "$ergebnis")" -ge 1 ]
pruefe "--fullscreen is remembered" enthaelt "$ORDNER/glubbershoot.conf" "window=0"
menue_beenden

# --- integer scaling: the game's own pixels, a black border around
spiel_starten "$ORDNER" dummy --integer-scale
fenster_abwarten 1.5
pruefe "full screen again" [ "$(groesse)" = 1920x1080 ]
menue_zeigen ganz
pruefe "integer scaling shows the frame's exact pixels in the middle" \
    eval '[ "$(compare -metric AE "$ARBEIT/menue.png" "$ARBEIT/ganz.png[1024x768+448+156]" null: 2>&1)" = 0 ]'
pruefe "with a black border" eval 'flach "$ARBEIT/ganz.png[1920x156+0+0]" && flach "$ARBEIT/ganz.png[448x1080+0+0]"'
pruefe "scale=integer is remembered" enthaelt "$ORDNER/glubbershoot.conf" "scale=integer"
menue_beenden

# --- no sound device
spiel_starten "$ORDNER" keingeraet --no-sound
fenster_abwarten 1.5
pruefe "--no-sound starts without a sound device" [ -n "$FENSTER" ]
xdotool key space
sleep 0.5
menue_beenden
pruefe "and ends with status 0" [ "$SPIEL_STATUS" = 0 ]
pruefe "without a message" [ ! -s "$ARBEIT/spiel.err" ]
cat "$ARBEIT/spiel.err"

ende
