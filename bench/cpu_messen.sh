#!/bin/sh
# The real game's processor time under a virtual X server (software
# rendering, SDL's dummy audio driver), read from /proc/<pid>/stat (user +
# system time of all the game's threads) between two points in time.
#
# First the game as it starts by default on a 1024 x 768 screen: a stretch
# in the main menu and one in a round. Then a round on screens of
# 1024 x 768, 1920 x 1080 and 3840 x 2160 with each way of scaling: the
# old linear one (GLUBBERSHOOT_SCALE=linear: SDL's renderer scales the
# whole picture every frame), the sharp one and the integer one (both
# scaled by the game where the picture changed, into the window's surface).
#
# usage: cpu_messen.sh <game> <data folder> [seconds per stretch] [seconds per round of the table]
# CPU_ENV adds variables to the game's environment, for comparisons
# (CPU_ENV=SDL_RENDER_DRIVER=opengl: the GL renderer even on llvmpipe);
# CPU_SCREEN sets the first virtual screen (default 1024x768x24);
# CPU_TABELLE=0 leaves the table of screens and scalings out.
# Prints the figures and one line per target: "target <name> <measured> <limit> ok|FAIL".

SPIEL=$(readlink -f -- "$1" 2>/dev/null)
DATEN=$2
SEKUNDEN=${3:-30}
TABELLE_SEKUNDEN=${4:-10}
GRENZE_RUNDE=25
GRENZE_MENUE=20
# A round with the sharp scaling, in percent of one core.
GRENZE_SCHARF_1080=20
GRENZE_SCHARF_2160=40

X_PID=""
SPIEL_PID=""
ARBEIT=$(mktemp -d "${TMPDIR:-/tmp}/glubber-cpu.XXXXXX") || exit 1

# Only what this script started, by its own ids.
anhalten() {
    for pid in $SPIEL_PID $X_PID; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    SPIEL_PID="" X_PID=""
}
aufraeumen() {
    anhalten
    rm -rf -- "$ARBEIT"
}
trap aufraeumen EXIT
trap 'exit 1' INT TERM HUP

durchgefallen() {
    echo "cpu: $*" >&2
    echo "target cpu-round n/a <=$GRENZE_RUNDE FAIL"
    echo "target cpu-menu n/a <=$GRENZE_MENUE FAIL"
    exit 1
}

[ -x "$SPIEL" ] && [ -f "$DATEN/Grafik.dat" ] || durchgefallen "usage: $0 <game> <data folder> [seconds]"
for programm in Xvfb xdotool getconf; do
    command -v "$programm" >/dev/null 2>&1 || durchgefallen "$programm is not installed"
done
TAKT=$(getconf CLK_TCK)

# A free display of our own, away from the numbers the tests use, with a
# screen of $1 (WIDTHxHEIGHTxDEPTH); false when none could be had.
x_starten() {
    n=140
    while [ $n -le 160 ] && [ -z "$X_PID" ]; do
        if ! [ -e /tmp/.X$n-lock ] && ! [ -e /tmp/.X11-unix/X$n ]; then
            Xvfb :$n -screen 0 "$1" -nolisten tcp -noreset >"$ARBEIT/xvfb.log" 2>&1 &
            X_PID=$!
            versuche=50
            until DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; do
                versuche=$((versuche - 1))
                if [ $versuche -le 0 ] || ! kill -0 "$X_PID" 2>/dev/null; then
                    kill "$X_PID" 2>/dev/null && wait "$X_PID" 2>/dev/null
                    X_PID=""
                    break
                fi
                sleep 0.1
            done
            [ -n "$X_PID" ] && export DISPLAY=:$n
        fi
        n=$((n + 1))
    done
    [ -n "$X_PID" ]
}

# The game writes its high score file and its settings where it runs: a
# scratch copy, new for every run.
spiel_starten() {
    rm -rf "$ARBEIT/spiel"
    mkdir -p "$ARBEIT/spiel"
    for datei in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav; do
        cp -- "$DATEN/$datei" "$ARBEIT/spiel/" || return 1
    done
    (cd "$ARBEIT/spiel" && exec env SDL_AUDIODRIVER=dummy $1 "$SPIEL" $2) >"$ARBEIT/spiel.out" \
        2>"$ARBEIT/spiel.err" &
    SPIEL_PID=$!
    versuche=150
    until xdotool search --name '^Glubbershoot$' >/dev/null 2>&1; do
        versuche=$((versuche - 1))
        [ $versuche -gt 0 ] && kill -0 "$SPIEL_PID" 2>/dev/null || return 1
        sleep 0.1
    done
}

# User plus system ticks of the whole process, all threads.
ticks() {
    sed 's/^.*) //' "/proc/$SPIEL_PID/stat" | awk '{print $12 + $13}'
}

jetzt_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Percent of one core over the next $2 seconds of stretch $1, into prozent.
messen() {
    kill -0 "$SPIEL_PID" 2>/dev/null || durchgefallen "the game ended before the $1 was measured"
    t0=$(ticks)
    m0=$(jetzt_ms)
    sleep "$2"
    kill -0 "$SPIEL_PID" 2>/dev/null || durchgefallen "the game ended while the $1 was measured"
    t1=$(ticks)
    m1=$(jetzt_ms)
    prozent=$(awk -v t=$((t1 - t0)) -v hz="$TAKT" -v ms=$((m1 - m0)) 'BEGIN { printf "%.1f", 100 * t / hz / (ms / 1000) }')
    echo "cpu $1: $prozent % of one core over $(((m1 - m0) / 1000)) s ($((t1 - t0)) ticks of 1/$TAKT s, user + system, all threads)"
}

# From the title to the menu; the pointer rests on no entry.
ins_menue() {
    sleep 1.5
    xdotool mousemove 10 10
    xdotool key space
    sleep 1.5
}

# Into a round: the pointer in the picture's lower middle, away from the
# scrolling edges; the intro counts down for about five seconds.
in_die_runde() {
    breite=$(xdotool getdisplaygeometry | cut -d' ' -f1)
    hoehe=$(xdotool getdisplaygeometry | cut -d' ' -f2)
    xdotool mousemove $((breite / 2)) $((hoehe * 600 / 768))
    xdotool key Return
    sleep 6.5
}

fehlerausgabe() {
    if [ -s "$ARBEIT/spiel.err" ]; then
        echo "cpu: the game wrote to standard error:"
        sed 's/^/  /' "$ARBEIT/spiel.err"
    fi
}

urteil() {
    if awk -v m="$2" -v g="$3" 'BEGIN { exit !(m <= g) }'; then
        echo "target $1 $2 <=$3 ok"
        return 0
    fi
    echo "target $1 $2 <=$3 FAIL"
    return 1
}

# --- the game as it starts by default
x_starten "${CPU_SCREEN:-1024x768x24}" || durchgefallen "no free display for Xvfb"
spiel_starten "${CPU_ENV:-}" "" || durchgefallen "the game's window did not appear"
ins_menue
messen "menu" "$SEKUNDEN"
MENUE=$prozent
in_die_runde
messen "round" "$SEKUNDEN"
RUNDE=$prozent
# Out through the quit prompt.
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
xdotool key j
versuche=100
while kill -0 "$SPIEL_PID" 2>/dev/null && [ $versuche -gt 0 ]; do
    sleep 0.1
    versuche=$((versuche - 1))
done
fehlerausgabe
anhalten

# --- a round on each screen with each scaling
ERGEBNISSE=""
if [ "${CPU_TABELLE:-1}" != 0 ]; then
    for schirm in 1024x768 1920x1080 3840x2160; do
        for art in linear sharp integer; do
            case $art in
            linear) umgebung="GLUBBERSHOOT_SCALE=linear" optionen="" ;;
            sharp) umgebung="" optionen="--sharp-scale" ;;
            integer) umgebung="" optionen="--integer-scale" ;;
            esac
            x_starten "${schirm}x24" || durchgefallen "no free display for Xvfb"
            spiel_starten "$umgebung ${CPU_ENV:-}" "$optionen" || durchgefallen "the game's window did not appear"
            ins_menue
            in_die_runde
            messen "round $schirm $art" "$TABELLE_SEKUNDEN"
            ERGEBNISSE="$ERGEBNISSE $schirm:$art:$prozent"
            fehlerausgabe
            anhalten
        done
    done
    # Processor time per frame: a round draws 40 frames a second.
    echo
    echo "A round's processor time, % of one core (and ms per frame at 40 frames a second):"
    printf '  %-10s %16s %16s %16s\n' screen "old linear" sharp integer
    for schirm in 1024x768 1920x1080 3840x2160; do
        zeile=$(printf '  %-10s' "$schirm")
        for art in linear sharp integer; do
            wert=$(echo "$ERGEBNISSE" | tr ' ' '\n' | awk -F: -v s="$schirm" -v a="$art" '$1 == s && $2 == a { print $3 }')
            zeile="$zeile$(awk -v p="$wert" 'BEGIN { printf " %7.1f (%5.2f ms)", p, p * 25 / 100 }')"
        done
        echo "$zeile"
    done
    echo
fi

status=0
urteil cpu-round "$RUNDE" $GRENZE_RUNDE || status=1
urteil cpu-menu "$MENUE" $GRENZE_MENUE || status=1
if [ -n "$ERGEBNISSE" ]; then
    scharf() { echo "$ERGEBNISSE" | tr ' ' '\n' | awk -F: -v s="$1" '$1 == s && $2 == "sharp" { print $3 }'; }
    urteil cpu-round-sharp-1920x1080 "$(scharf 1920x1080)" $GRENZE_SCHARF_1080 || status=1
    urteil cpu-round-sharp-3840x2160 "$(scharf 3840x2160)" $GRENZE_SCHARF_2160 || status=1
fi
exit $status
