#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root (dpkg -x), runs the
# programs from there, checks that each file lies where the system looks for it
# and that an installed programmer keeps its settings in the user's folder, and
# runs lintian when it is installed. Arguments: the build folder.
set -euo pipefail
build="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
  echo "package: $*" >&2
  exit 1
}

cd "$build"
# dpkg-shlibdeps reads the package database, which a package manager running
# at the same moment may be rewriting: one more try before it counts.
if ! cpack -G DEB -B "$root/package" >"$root/cpack.log" 2>&1; then
  echo "cpack failed once; trying again. Its output:"
  cat "$root/cpack.log"
  rm -rf "$root/package"
  cpack -G DEB -B "$root/package" >/dev/null || fail "cpack could not build the package"
fi
deb=$(ls "$root"/package/*.deb)
[ "$(dpkg-deb --field "$deb" Package)" = varno-programmer ] || fail "wrong package name"
version=$(dpkg-deb --field "$deb" Version)
depends=$(dpkg-deb --field "$deb" Depends)
for d in libqt6widgets6 libqt6serialport6 fonts-liberation2 qt6-translations-l10n; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

dpkg -x "$deb" "$root/install"
usr=$root/install/usr
doc=$usr/share/doc/varno-programmer
for f in bin/varno-programmer bin/varno-cli lib/varno-programmer/varno-player-emulator \
  share/applications/varno-programmer.desktop \
  share/icons/hicolor/scalable/apps/varno-programmer.svg \
  share/mime/packages/varno-programmer.xml \
  share/bash-completion/completions/varno-cli \
  share/man/man1/varno-programmer.1.gz share/man/man1/varno-cli.1.gz \
  share/man/man1/varno-player-emulator.1.gz \
  share/doc/varno-programmer/guide.md share/doc/varno-programmer/copyright \
  share/doc/varno-programmer/changelog.gz; do
  [ -f "$usr/$f" ] || fail "missing: /usr/$f"
done
[ ! -e "$usr/bin/varno-player-emulator" ] || fail "the emulator is on the users' PATH"
for f in "$usr"/bin/* "$usr"/lib/varno-programmer/*; do
  file "$f" | grep -q ', stripped' || fail "not stripped: $f"
done
grep -q '^Exec=varno-programmer %f$' "$usr/share/applications/varno-programmer.desktop" ||
  fail "the desktop entry does not pass the file it opens"

# Every relative link of the guide leads to a file installed beside it.
links=$(grep -o '](\([^)#:]*\))' "$doc/guide.md" | sed 's/^](//; s/)$//' | sort -u)
grep -q '^pictures/.*\.png$' <<<"$links" || fail "the guide shows no pictures"
while read -r link; do
  [ -f "$doc/$link" ] || fail "the guide's link $link leads nowhere"
done <<<"$links"

# Each man page names its program.
for p in varno-programmer varno-cli varno-player-emulator; do
  zcat "$usr/share/man/man1/$p.1.gz" | grep -qi "^\.TH \"\?$p" || fail "man page of $p"
done

# The programs run from the package, the programmer without any display.
"$usr/bin/varno-cli" --help | grep -q 'varno-cli' || fail "varno-cli --help"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/varno-programmer" --version)
[ "$out" = "varno-programmer $version" ] || fail "varno-programmer --version printed: $out"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/varno-programmer" --help |
  grep -q -- '--version' || fail "varno-programmer --help"

# An installed programmer keeps its settings in the user's configuration folder,
# never beside itself, even where it could write there.
XDG_CONFIG_HOME=$root/config QT_QPA_PLATFORM=offscreen VARNO_QUIT_WHEN_IDLE=1 \
  "$usr/bin/varno-programmer" 2>/dev/null
[ -f "$root/config/VARNO/VARNO Programmer/VARNOQuillonProg2.cfg" ] ||
  fail "no settings file in the user's configuration folder"
[ ! -e "$usr/bin/VARNOQuillonProg2.cfg" ] || fail "settings file written beside /usr/bin"

# Completion: commands, the ports for --port, project files.
completion=$usr/share/bash-completion/completions/varno-cli
mkdir "$root/work" && touch "$root/work/shop.prg" "$root/work/notes.txt"
complete_words() { # the words offered for the command line "$@" (last word being typed)
  (cd "$root/work" && bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _varno_cli; printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$@" | sort | tr '\n' ' ')
}
[ "$(complete_words varno-cli tr)" = "transmit " ] || fail "completion of commands"
[ "$(complete_words varno-cli check '')" = "shop.prg " ] || fail "completion of project files"
grep -q 'COM1 ' <<<"$(complete_words varno-cli transmit shop.prg --port C)" ||
  fail "completion of ports"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" 2> >(grep -v "running with root privileges" >&2) ||
    fail "lintian reports errors"
fi
echo "package ok: $(basename "$deb")"
