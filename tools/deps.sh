#!/bin/sh
# Installs the Debian packages the build, the tests and the game need,
# when they are missing. Runs apt-get as root, through sudo otherwise.
set -e
PACKAGES="cmake make g++ clang-format pkg-config libsdl2-dev libsdl2-mixer-dev libgtest-dev libbenchmark-dev libfreetype-dev fonts-dejavu-core xvfb xdotool imagemagick lame desktop-file-utils clang libclang-rt-14-dev zlib1g-dev x11-utils matchbox-window-manager python3 build-essential debhelper dpkg-dev lintian appstream man-db"
# The browser build and its tests: Emscripten (its optimiser needs Debian's
# acorn), Chromium with its WebDriver, and selenium for /usr/bin/python3.
PACKAGES="$PACKAGES emscripten node-acorn chromium chromium-driver python3-selenium"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
