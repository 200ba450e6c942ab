#!/bin/sh
# Builds the Debian package, unsigned and binary only, from a copy of the
# source tree, so the tree itself stays as it is (dpkg-buildpackage works
# inside its source folder and puts its results beside it).
# usage: deb_bauen.sh <source folder> <output folder>
# Leaves glubbershoot_<version>_<arch>.deb with its .changes and .buildinfo
# in the output folder, the build's log in build.log there.
set -eu
[ $# -eq 2 ] && [ -f "$1/debian/control" ] || {
    echo "usage: $0 <source folder> <output folder>" >&2
    exit 2
}
quelle=$(cd -- "$1" && pwd)
mkdir -p -- "$2"
aus=$(cd -- "$2" && pwd)
case "$aus/" in
"$quelle"/build*/) ;;
"$quelle"/*)
    echo "$0: the output folder must be outside the source tree or a build* folder in it" >&2
    exit 2
    ;;
esac

version=$(dpkg-parsechangelog -l "$quelle/debian/changelog" -S Version)
baum="$aus/quelle/glubbershoot-${version%-*}"
rm -rf -- "$aus/quelle"
rm -f -- "$aus"/glubbershoot_* "$aus"/glubbershoot-dbgsym_* "$aus/build.log"
mkdir -p -- "$baum"
# What git would ignore (the build folders above all) stays out.
(cd -- "$quelle" && tar --exclude=./.git --exclude='./build' --exclude='./build-*' -cf - .) | tar -C "$baum" -xf -

# The suite runs in `make test`, and parts of it need a display; the
# debug symbols package is left out of a player's build.
echo "Building the package in $baum (log: $aus/build.log)"
if ! (cd -- "$baum" &&
    DEB_BUILD_OPTIONS="nocheck noautodbgsym ${DEB_BUILD_OPTIONS-}" \
        dpkg-buildpackage -us -uc -b -Pnocheck -J"$(nproc 2>/dev/null || echo 2)") >"$aus/build.log" 2>&1; then
    tail -n 40 "$aus/build.log" >&2
    echo "$0: the package build failed; the whole log is $aus/build.log" >&2
    exit 1
fi
mv -- "$aus/quelle"/glubbershoot_* "$aus/"
rm -rf -- "$aus/quelle"
ls -- "$aus"/glubbershoot_*.deb
