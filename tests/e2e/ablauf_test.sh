#!/bin/sh
# The real game in a virtual X server, played as a person would: title,
# menu, high score list, a round with a few shots, and out through the
# quit prompt; screenshots of each step are checked.
# usage: ablauf_test.sh <game> <data folder>
. "$(dirname -- "$0")/hilfe.sh"
SPIEL=$(readlink -f -- "$1")
[ -x "$SPIEL" ] && [ -f "$2/Grafik.dat" ] || aufhoeren "usage: $0 <game> <data folder>"
ORDNER="$ARBEIT/spiel"
daten_kopieren "$2" "$ORDNER" || aufhoeren "cannot copy the data files"
x_starten 1024x768

# Rows of the four menu entries, drawn at y 100, 200, 300 and 400.
EINTRAG0=640x56+192+92
EINTRAG1=640x56+192+192
EINTRAG2=640x56+192+292
EINTRAG3=640x56+192+392
# Where the first three of the six shells stand while playing.
PATRONEN=66x120+872+624

# The colour that most of the pixels of region $3 have in picture $1 where
# it differs from picture $2.
farbe_der_aenderung() {
    convert "$1[$3]" +repage "$2[$3]" +repage -compose difference -composite \
        -colorspace gray -threshold 0 "$ARBEIT/maske.png"
    convert "$1[$3]" +repage "$ARBEIT/maske.png" -alpha off -compose CopyOpacity -composite \
        -format %c histogram:info:- | grep -v ',0)' | sort -rn | head -n 1 | grep -o '#[0-9A-F]\{6\}'
}

spiel_starten "$ORDNER" dummy
# The title's blinking line comes after 1000 ms.
fenster_abwarten 1.3
pruefe "the window appears" [ -n "$FENSTER" ]
[ -n "$FENSTER" ] || ende
pruefe "it covers the screen" [ "$(xdotool getwindowgeometry "$FENSTER" | sed -n 's/.*Geometry: //p')" = 1024x768 ]

# --- title
bild titel
pruefe "the title shows" nicht_flach "$ARBEIT/titel.png"

# --- menu
menue_zeigen menue0
pruefe "Space leads from the title to the menu" bereich_anders "$ARBEIT/titel.png" "$ARBEIT/menue0.png" 1024x768+0+0
pruefe "the menu shows" nicht_flach "$ARBEIT/menue0.png"
xdotool key Down
sleep 0.5
bild menue1
pruefe "Down moves the highlight off the first entry" bereich_anders "$ARBEIT/menue0.png" "$ARBEIT/menue1.png" $EINTRAG0
pruefe "onto the second" bereich_anders "$ARBEIT/menue0.png" "$ARBEIT/menue1.png" $EINTRAG1
pruefe "the third entry stays as it was" bereich_gleich "$ARBEIT/menue0.png" "$ARBEIT/menue1.png" $EINTRAG2
pruefe "the fourth entry stays as it was" bereich_gleich "$ARBEIT/menue0.png" "$ARBEIT/menue1.png" $EINTRAG3
markiert0=$(farbe_der_aenderung "$ARBEIT/menue0.png" "$ARBEIT/menue1.png" $EINTRAG0)
normal0=$(farbe_der_aenderung "$ARBEIT/menue1.png" "$ARBEIT/menue0.png" $EINTRAG0)
markiert1=$(farbe_der_aenderung "$ARBEIT/menue1.png" "$ARBEIT/menue0.png" $EINTRAG1)
echo "highlighted letters $markiert0 and $markiert1, plain letters $normal0"
pruefe "the highlighted letters have one colour in both entries" eval '[ -n "$markiert0" ] && [ "$markiert0" = "$markiert1" ]'
pruefe "which is not the colour of plain letters" eval '[ -n "$normal0" ] && [ "$markiert0" != "$normal0" ]'

# --- high score list and back
xdotool key Return
sleep 0.8
bild liste
pruefe "Return on the second entry opens the high score list" bereich_anders "$ARBEIT/menue1.png" "$ARBEIT/liste.png" $EINTRAG2
pruefe "the list shows" nicht_flach "$ARBEIT/liste.png"
xdotool key Escape
sleep 0.8
bild menue2
pruefe "Escape returns to the menu, the highlight where it was" bereich_gleich "$ARBEIT/menue1.png" "$ARBEIT/menue2.png" 1024x768+0+0

# --- a round
# The pointer away from the screen edges, which would scroll the view.
xdotool mousemove 512 600
xdotool key Up
sleep 0.3
xdotool key Return
# The round intro counts down for 200 + 4 x 1200 ms.
sleep 5.8
bild spiel0
pruefe "a playing frame shows" nicht_flach "$ARBEIT/spiel0.png"
pruefe "it is not the menu" bereich_anders "$ARBEIT/menue0.png" "$ARBEIT/spiel0.png" 1024x768+0+0
# A shot is refused while the last shot's sound plays.
for x in 300 500 700; do
    xdotool mousemove $x 250 click 1
    sleep 1.2
done
bild spiel1
pruefe "three shots take three shells" bereich_anders "$ARBEIT/spiel0.png" "$ARBEIT/spiel1.png" $PATRONEN
pruefe "the round goes on" kill -0 "$SPIEL_PID"

# --- out through the quit prompt
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
bild frage
pruefe "Escape in the menu asks before quitting" bereich_anders "$ARBEIT/menue0.png" "$ARBEIT/frage.png" 1024x768+0+0
# 'n' enters the menu again, which starts the 4 s that the end waits for.
xdotool key n
menue_ms=$(jetzt_ms)
sleep 0.3
xdotool key Escape
sleep 0.3
j_ms=$(jetzt_ms)
xdotool key j
spiel_ende_warten 8000
ende_ms=$(jetzt_ms)
echo "the game ended $((ende_ms - j_ms)) ms after 'j', $((ende_ms - menue_ms)) ms after entering the menu"
pruefe "'j' ends the game with status 0" [ "$SPIEL_STATUS" = 0 ]
pruefe "within 4.5 s of 'j'" [ $((ende_ms - j_ms)) -le 4500 ]
pruefe "but not before 4 s have passed since the menu was entered" [ $((ende_ms - menue_ms)) -ge 3500 ]
pruefe "the high score file is written" [ "$(stat -c %s "$ORDNER/Score.dat" 2>/dev/null)" = 288 ]
pruefe "no message on standard error" [ ! -s "$ARBEIT/spiel.err" ]
cat "$ARBEIT/spiel.err"

ende
