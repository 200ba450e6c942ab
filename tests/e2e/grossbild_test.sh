#!/bin/sh
# The game on a 1920 x 1080 screen with a window manager: the 1024 x 768
# picture is scaled to the screen's height and centred between two bars,
# and the mouse aims at the scaled picture.
# usage: grossbild_test.sh <game> <data folder>
. "$(dirname -- "$0")/hilfe.sh"
SPIEL=$(readlink -f -- "$1")
[ -x "$SPIEL" ] && [ -f "$2/Grafik.dat" ] || aufhoeren "usage: $0 <game> <data folder>"
if command -v matchbox-window-manager >/dev/null 2>&1; then
    WM="matchbox-window-manager -use_titlebar no"
elif command -v openbox >/dev/null 2>&1; then
    WM="openbox"
else
    ueberspringen "no window manager (matchbox-window-manager or openbox)"
fi
ORDNER="$ARBEIT/spiel"
daten_kopieren "$2" "$ORDNER" || aufhoeren "cannot copy the data files"
x_starten 1920x1080
$WM >"$ARBEIT/wm.log" 2>&1 &
WM_PID=$!
sleep 0.5

# 1080 / 768 = 1.40625: the picture is 1440 wide, from x 240 to 1680.
LINKS=240
# Screen position of a point of the game's picture.
bildschirm() {
    echo "$((LINKS + $1 * 1440 / 1024)) $(($2 * 1080 / 768))"
}

spiel_starten "$ORDNER" dummy
fenster_abwarten 1.5
pruefe "the window appears" [ -n "$FENSTER" ]
[ -n "$FENSTER" ] || ende
pruefe "it covers the whole screen" [ "$(xdotool getwindowgeometry "$FENSTER" | sed -n 's/.*Geometry: //p')" = 1920x1080 ]
bild titel
pruefe "the left bar is one colour" flach "$ARBEIT/titel.png[240x1080+0+0]"
pruefe "the right bar is one colour" flach "$ARBEIT/titel.png[240x1080+1680+0]"
pruefe "the title fills the space between" nicht_flach "$ARBEIT/titel.png[1440x1080+240+0]"

menue_zeigen menue
pruefe "the menu shows" bereich_anders "$ARBEIT/titel.png" "$ARBEIT/menue.png" 1920x1080+0+0
# Just above the first entry, whose click zone starts at y 100: nothing.
# A pointer taken unscaled would hit that entry and start a round.
xdotool mousemove $(bildschirm 512 92) click 1
sleep 0.8
bild daneben
pruefe "a click beside the entries changes nothing" bereich_gleich "$ARBEIT/menue.png" "$ARBEIT/daneben.png" 1920x1080+0+0
# Inside the second entry's zone (y 200 to about 235).
xdotool mousemove $(bildschirm 512 215) click 1
sleep 0.8
bild liste
pruefe "a click on the second entry opens the high score list" bereich_anders "$ARBEIT/menue.png" "$ARBEIT/liste.png" 1440x1080+240+0
pruefe "still between the bars" flach "$ARBEIT/liste.png[240x1080+0+0]"

xdotool key Escape
sleep 0.5
menue_beenden
pruefe "'j' at the quit prompt ends the game with status 0" [ "$SPIEL_STATUS" = 0 ]
pruefe "no message on standard error" [ ! -s "$ARBEIT/spiel.err" ]
cat "$ARBEIT/spiel.err"

ende
