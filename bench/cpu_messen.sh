#!/bin/sh
# The real game's processor time under a virtual X server (software
# rendering, SDL's dummy audio driver): a stretch in the main menu and one
# in a round, each read from /proc/<pid>/stat (user + system time of all
# the game's threads) between two points in time.
# usage: cpu_messen.sh <game> <data folder> [seconds per stretch]
# CPU_ENV adds variables to the game's environment, for comparisons
# (CPU_ENV=SDL_RENDER_DRIVER=opengl: the GL renderer even on llvmpipe);
# CPU_SCREEN sets the virtual screen (default 1024x768x24).
# Prints the figures and one line per target: "target <name> <measured> <limit> ok|FAIL".

SPIEL=$(readlink -f -- "$1" 2>/dev/null)
DATEN=$2
SEKUNDEN=${3:-30}
GRENZE_RUNDE=25
GRENZE_MENUE=20

X_PID=""
SPIEL_PID=""
ARBEIT=$(mktemp -d "${TMPDIR:-/tmp}/glubber-cpu.XXXXXX") || exit 1

# Only what this script started, by its own ids.
aufraeumen() {
    for pid in $SPIEL_PID $X_PID; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
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

# A free display of our own, away from the numbers the tests use.
n=140
while [ $n -le 160 ] && [ -z "$X_PID" ]; do
    if ! [ -e /tmp/.X$n-lock ] && ! [ -e /tmp/.X11-unix/X$n ]; then
        Xvfb :$n -screen 0 "${CPU_SCREEN:-1024x768x24}" -nolisten tcp -noreset >"$ARBEIT/xvfb.log" 2>&1 &
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
[ -n "$X_PID" ] || durchgefallen "no free display for Xvfb"

# The game writes its high score file where it runs: a scratch copy.
mkdir -p "$ARBEIT/spiel"
for datei in Grafik.dat Sound.dat start.wav main.wav win.wav lose.wav credits.wav; do
    cp -- "$DATEN/$datei" "$ARBEIT/spiel/" || durchgefallen "cannot copy $datei"
done
(cd "$ARBEIT/spiel" && exec env SDL_AUDIODRIVER=dummy ${CPU_ENV:-} "$SPIEL") >"$ARBEIT/spiel.out" 2>"$ARBEIT/spiel.err" &
SPIEL_PID=$!

versuche=150
until xdotool search --name '^Glubbershoot$' >/dev/null 2>&1; do
    versuche=$((versuche - 1))
    [ $versuche -gt 0 ] && kill -0 "$SPIEL_PID" 2>/dev/null || durchgefallen "the game's window did not appear"
    sleep 0.1
done

# User plus system ticks of the whole process, all threads.
ticks() {
    sed 's/^.*) //' "/proc/$SPIEL_PID/stat" | awk '{print $12 + $13}'
}

jetzt_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Percent of one core over the next $SEKUNDEN seconds; "name percent" into ERGEBNIS.
messen() {
    kill -0 "$SPIEL_PID" 2>/dev/null || durchgefallen "the game ended before the $1 was measured"
    t0=$(ticks)
    m0=$(jetzt_ms)
    sleep "$SEKUNDEN"
    kill -0 "$SPIEL_PID" 2>/dev/null || durchgefallen "the game ended while the $1 was measured"
    t1=$(ticks)
    m1=$(jetzt_ms)
    prozent=$(awk -v t=$((t1 - t0)) -v hz="$TAKT" -v ms=$((m1 - m0)) 'BEGIN { printf "%.1f", 100 * t / hz / (ms / 1000) }')
    echo "cpu $1: $prozent % of one core over $(((m1 - m0) / 1000)) s ($((t1 - t0)) ticks of 1/$TAKT s, user + system, all threads)"
}

# Title, then the menu; the pointer rests on no entry.
sleep 1.5
xdotool mousemove 900 700
xdotool key space
sleep 1.5
messen "menu"
MENUE=$prozent

# Into a round: the pointer away from the scrolling edges; the intro counts
# down for about five seconds.
xdotool mousemove 512 600
xdotool key Return
sleep 6.5
messen "round"
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
if [ -s "$ARBEIT/spiel.err" ]; then
    echo "cpu: the game wrote to standard error:"
    sed 's/^/  /' "$ARBEIT/spiel.err"
fi

urteil() {
    if awk -v m="$2" -v g="$3" 'BEGIN { exit !(m <= g) }'; then
        echo "target $1 $2 <=$3 ok"
        return 0
    fi
    echo "target $1 $2 <=$3 FAIL"
    return 1
}
status=0
urteil cpu-round "$RUNDE" $GRENZE_RUNDE || status=1
urteil cpu-menu "$MENUE" $GRENZE_MENUE || status=1
exit $status
