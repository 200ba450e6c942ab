#!/bin/sh
# Installs into a staging folder, checks what landed there, plays the
# installed game through its launcher with a fresh HOME until the title
# shows, then uninstalls and checks that nothing is left.
# usage: paket_test.sh <build folder> <cmake> <data folder> <data file>...
. "$(dirname -- "$0")/hilfe.sh"
install_argumente "$@"
braucht desktop-file-validate identify Xvfb xdotool xwininfo import convert compare

ZIEL="$ARBEIT/ziel"
PREFIX=/usr/local
WURZEL="$ZIEL$PREFIX"

# A folder that was there before and holds another program's file.
mkdir -p "$WURZEL/share/applications"
echo "[Desktop Entry]" >"$WURZEL/share/applications/andere.desktop"

stufe_installieren "$ZIEL" "$PREFIX"
pruefe "install succeeds" [ $? -eq 0 ]
stufe_installieren "$ZIEL" "$PREFIX"
pruefe "installing again succeeds" [ $? -eq 0 ]

# --- the file list
ID=io.github.glubbershoot.Glubbershoot
EINTRAG="$WURZEL/share/applications/$ID.desktop"
ICONS=""
for n in 16 32 48 64 128 256; do
    ICONS="$ICONS share/icons/hicolor/${n}x$n/apps/glubbershoot.png"
done
{
    for f in games/glubbershoot lib/games/glubbershoot/glubbershoot share/applications/andere.desktop \
        share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml share/man/man6/glubbershoot.6 $ICONS; do
        echo "$f"
    done
    for f in $DATENDATEIEN; do
        echo "share/games/glubbershoot/$f"
    done
} | LC_ALL=C sort >"$ARBEIT/erwartet"
dateiliste "$WURZEL" >"$ARBEIT/gefunden"
pruefe "exactly the expected files are installed" cmp -s "$ARBEIT/erwartet" "$ARBEIT/gefunden"
cmp -s "$ARBEIT/erwartet" "$ARBEIT/gefunden" || diff "$ARBEIT/erwartet" "$ARBEIT/gefunden"
pruefe "nothing outside the prefix" eval '[ "$(ls -A "$ZIEL")" = usr ] && [ "$(ls -A "$ZIEL/usr")" = local ]'
pruefe "the launcher is executable" [ -x "$WURZEL/games/glubbershoot" ]
pruefe "the game is executable" [ -x "$WURZEL/lib/games/glubbershoot/glubbershoot" ]
gleich=true
for f in $DATENDATEIEN; do
    cmp -s "$DATEN/$f" "$WURZEL/share/games/glubbershoot/$f" || gleich=false
done
pruefe "the data files are the generated ones" $gleich
pruefe "desktop-file-validate accepts the desktop entry" eintrag_gueltig "$EINTRAG"
pruefe "the entry is a game" grep -qx 'Categories=Game;ArcadeGame;' "$EINTRAG"
pruefe "the entry starts the launcher by its full path" grep -qx "Exec=$PREFIX/games/glubbershoot" "$EINTRAG"
pruefe "the manual page names the installed data folder" \
    grep -qxF ".I $PREFIX/share/games/glubbershoot/" "$WURZEL/share/man/man6/glubbershoot.6"
for n in 16 32 48 64 128 256; do
    icon="$WURZEL/share/icons/hicolor/${n}x$n/apps/glubbershoot.png"
    pruefe "icon ${n}x$n is a PNG of that size" [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${n}x$n" ]
done
pruefe "the icon shows a figure" nicht_flach "$WURZEL/share/icons/hicolor/48x48/apps/glubbershoot.png"

# --- the installed game, as a player with a fresh home starts it
x_starten 1024x768
installiert_spielen "$WURZEL/games/glubbershoot" "$ARBEIT/heim"
pruefe "the scores are not in the installed folder" [ ! -e "$WURZEL/share/games/glubbershoot/Score.dat" ]

# --- uninstall
stufe_deinstallieren
pruefe "uninstall succeeds" [ $? -eq 0 ]
(cd "$ZIEL" && find . | sort) >"$ARBEIT/rest"
printf '%s\n' . ./usr ./usr/local ./usr/local/share ./usr/local/share/applications \
    ./usr/local/share/applications/andere.desktop >"$ARBEIT/erwartet_rest"
pruefe "uninstall leaves only what was there before" cmp -s "$ARBEIT/erwartet_rest" "$ARBEIT/rest"
cmp -s "$ARBEIT/erwartet_rest" "$ARBEIT/rest" || diff "$ARBEIT/erwartet_rest" "$ARBEIT/rest"
pruefe "the manifest is used up" eval '[ ! -e "$MANIFEST" ] && [ ! -e "$ORDNERLISTE" ]'
stufe_deinstallieren
status=$?
pruefe "a second uninstall says there is nothing to do" eval '[ "$status" -ne 0 ] && enthaelt "$ARBEIT/uninstall.log" "Nothing to uninstall"'
pruefe "the player's folder is untouched" [ -e "$SPIELER/Score.dat" ]

ende
