#!/usr/bin/env bash
# Runs a Windows program of the Windows build under Wine: the cross build's
# CMAKE_CROSSCOMPILING_EMULATOR, so that ctest runs its tests this way.
# WINEPREFIX names the prefix the caller made once for the run (see
# scripts/test-windows.sh); without one, a prefix of the build folder is used.
set -euo pipefail
wine=${VARNO_WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
export WINEDEBUG=${WINEDEBUG:--all}
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$(cd "$(dirname "$1")/.." && pwd)/wine-prefix"
fi
exec "$wine" "$@"
