#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root (dpkg -x) and runs
# the command-line companion from there. Arguments: the build folder.
set -euo pipefail
build="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cd "$build"
cpack -G DEB -B "$root/package" >/dev/null
deb=$(ls "$root"/package/*.deb)
dpkg-deb --info "$deb" | grep -E 'Package: varno-programmer'
dpkg-deb --info "$deb" | grep -E 'Depends: .*libqt6'
dpkg -x "$deb" "$root/install"
for f in usr/bin/varno-programmer usr/bin/varno-cli usr/bin/varno-player-emulator \
         usr/share/applications/varno-programmer.desktop \
         usr/share/icons/hicolor/scalable/apps/varno-programmer.svg \
         usr/share/doc/varno-programmer/README.md; do
  test -e "$root/install/$f" || { echo "missing from the package: $f"; exit 1; }
done
"$root/install/usr/bin/varno-cli" --help | grep -q 'Usage: varno-cli'
echo "package ok: $(basename "$deb")"
