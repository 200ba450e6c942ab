#!/bin/sh
# Builds the Debian package of this source tree once and checks it: the
# build leaves the tree alone, lintian, the file list, the AppStream data,
# the desktop entry and the manual page, the unpacked game played to the
# title, and that the install of the build folder places the same files.
# usage: deb_test.sh <build folder> <cmake> <data folder> <data file>...
. "$(dirname -- "$0")/hilfe.sh"
install_argumente "$@"
braucht dpkg-buildpackage dpkg-parsechangelog lintian appstreamcli desktop-file-validate man Xvfb xdotool import convert
ID=io.github.glubbershoot.Glubbershoot

# The source tree as git would see it, without the build folders.
quellbaum() {
    (cd "$QUELLE" && find . -path ./.git -prune -o -path './build*' -prune -o -print | LC_ALL=C sort)
}

# --- the build
quellbaum >"$ARBEIT/quelle_vorher"
sh "$QUELLE/tools/deb_bauen.sh" "$QUELLE" "$ARBEIT/deb" >"$ARBEIT/bau.out" 2>&1
pruefe "the package builds" [ $? -eq 0 ]
VERSION=$(dpkg-parsechangelog -l "$QUELLE/debian/changelog" -S Version)
DEB="$ARBEIT/deb/glubbershoot_${VERSION}_$(dpkg --print-architecture).deb"
pruefe "into glubbershoot_<version>_<arch>.deb" [ -f "$DEB" ]
if ! [ -f "$DEB" ]; then
    cat "$ARBEIT/bau.out"
    ende
fi
quellbaum >"$ARBEIT/quelle_nachher"
pruefe "the source tree is left as it was" cmp -s "$ARBEIT/quelle_vorher" "$ARBEIT/quelle_nachher"
diff "$ARBEIT/quelle_vorher" "$ARBEIT/quelle_nachher"

# --- lintian; the one warning kept: no bug closed by a first upload,
# since there is no request for the package in Debian's bug tracker.
lintian "$ARBEIT/deb"/*.changes >"$ARBEIT/lintian" 2>"$ARBEIT/lintian.err"
pruefe "lintian runs" [ $? -eq 0 ]
pruefe "lintian reports no errors" nicht grep -q '^E:' "$ARBEIT/lintian"
pruefe "lintian reports no warnings but the kept one" \
    eval '! grep "^W:" "$ARBEIT/lintian" | grep -qv " initial-upload-closes-no-bugs "'
cat "$ARBEIT/lintian"

# --- the file list
{
    echo usr/games/glubbershoot
    echo usr/lib/games/glubbershoot/glubbershoot
    echo usr/share/applications/$ID.desktop
    echo usr/share/doc/glubbershoot/changelog.Debian.gz
    echo usr/share/doc/glubbershoot/copyright
    echo usr/share/man/man6/glubbershoot.6.gz
    echo usr/share/metainfo/$ID.metainfo.xml
    for n in 16 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${n}x$n/apps/glubbershoot.png"
    done
    for f in $DATENDATEIEN; do
        echo "usr/share/games/glubbershoot/$f"
    done
} | LC_ALL=C sort >"$ARBEIT/erwartet"
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort >"$ARBEIT/deb_liste"
pruefe "dpkg-deb -c lists exactly the expected files" cmp -s "$ARBEIT/erwartet" "$ARBEIT/deb_liste"
diff "$ARBEIT/erwartet" "$ARBEIT/deb_liste"

WURZEL="$ARBEIT/wurzel"
dpkg-deb -x "$DEB" "$WURZEL"
pruefe "the launcher and the game are executable" \
    eval '[ -x "$WURZEL/usr/games/glubbershoot" ] && [ -x "$WURZEL/usr/lib/games/glubbershoot/glubbershoot" ]'

# --- what menus and software centres read
EINTRAG="$WURZEL/usr/share/applications/$ID.desktop"
pruefe "desktop-file-validate accepts the desktop entry" eintrag_gueltig "$EINTRAG"
pruefe "the entry starts /usr/games/glubbershoot" grep -qx 'Exec=/usr/games/glubbershoot' "$EINTRAG"
appstreamcli validate --no-net "$WURZEL/usr/share/metainfo/$ID.metainfo.xml" >"$ARBEIT/appstream" 2>&1
pruefe "appstreamcli validate --no-net passes" [ $? -eq 0 ]
# The tree as a whole: the metainfo's launchable is the desktop entry.
appstreamcli validate-tree --no-net "$WURZEL" >>"$ARBEIT/appstream" 2>&1
pruefe "appstreamcli validate-tree --no-net passes" [ $? -eq 0 ]
cat "$ARBEIT/appstream"

SEITE="$WURZEL/usr/share/man/man6/glubbershoot.6.gz"
LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$SEITE" >"$ARBEIT/seite" 2>"$ARBEIT/seite.err"
pruefe "man renders the page without warnings" eval '[ -s "$ARBEIT/seite" ] && [ ! -s "$ARBEIT/seite.err" ]'
cat "$ARBEIT/seite.err"
alle=true
for option in --window --fullscreen --integer-scale --sharp-scale --no-sound --help; do
    grep -qE -- "^ +$option( |\$)" "$ARBEIT/seite" || alle=false
done
pruefe "the page describes every option" $alle
pruefe "the page names the installed paths" eval 'grep -q /usr/share/games/glubbershoot/ "$ARBEIT/seite" && ! grep -q @ "$ARBEIT/seite"'

# --- the unpacked game, as a player with a fresh home starts it
x_starten 1024x768
installiert_spielen "$WURZEL/usr/games/glubbershoot" "$ARBEIT/heim"
pruefe "with the data files of the unpacked tree" \
    [ "$(readlink -- "$SPIELER/Sound.dat")" = "$WURZEL/usr/share/games/glubbershoot/Sound.dat" ]

# --- the install of the build folder below /usr: the same files, the
# same contents (Debian adds its documents, strips the game and packs the
# manual page), and an uninstall that takes them all away again
STUFE="$ARBEIT/stufe"
stufe_installieren "$STUFE" /usr
pruefe "the install succeeds" [ $? -eq 0 ]
dateiliste "$STUFE" >"$ARBEIT/install_liste"
grep -v '^usr/share/doc/glubbershoot/' "$ARBEIT/deb_liste" | sed 's|\.6\.gz$|.6|' >"$ARBEIT/deb_ohne_doc"
pruefe "the install places the files of the package" cmp -s "$ARBEIT/deb_ohne_doc" "$ARBEIT/install_liste"
diff "$ARBEIT/deb_ohne_doc" "$ARBEIT/install_liste"
gleich=true
while read -r datei; do
    case "$datei" in
    usr/lib/games/glubbershoot/glubbershoot) ;;
    *.6) gzip -dc "$WURZEL/$datei.gz" | cmp -s - "$STUFE/$datei" || gleich=false ;;
    *) cmp -s "$WURZEL/$datei" "$STUFE/$datei" || gleich=false ;;
    esac
done <"$ARBEIT/install_liste"
pruefe "with the same contents" $gleich
stufe_deinstallieren
status=$?
pruefe "the uninstall takes every file and folder away" eval '[ "$status" -eq 0 ] && [ -z "$(ls -A "$STUFE")" ]'

ende
