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
# A test that needs the windows platform (real fonts, real windows) gets an X
# display of its own (such a test runs alone). Wine's desktop process keeps the
# display of the program that started it: a server left running has none.
if [ "${VARNO_WINE_DISPLAY:-}" = 1 ]; then
  timeout 30 "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  timeout 30 "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$@"
fi
exec "$wine" "$@"
