#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, make included, so
# that it also prepares a bare Debian 12 (a container with git and nothing
# else). Plain bash and dpkg: nothing to install before it. Safe to run again:
# it only calls apt-get when something is missing, and says nothing otherwise.
set -euo pipefail

packages=(
  make cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  # The Debian package: building it (file), its man pages, checking it
  dpkg-dev file help2man lintian
  # Real-window checks, the fonts the panels are drawn with, the toolkit's own
  # translations, symbolised sanitizer reports (llvm puts llvm-14's
  # llvm-symbolizer on the PATH, where the sanitizers look for it)
  xvfb xauth xdotool fonts-liberation2 qt6-translations-l10n llvm-14 llvm
  # The Windows build (make windows): the MinGW-w64 cross compiler, GoogleTest's
  # sources to build with it, the installer's makensis, and Wine to test it
  g++-mingw-w64-x86-64-posix mingw-w64-tools googletest nsis wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
