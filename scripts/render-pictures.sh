#!/usr/bin/env bash
# Renders the pictures of the user's guide (docs/pictures/) from the programmer's
# own panels and windows, in English, French and Spanish.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target panel-pictures >/dev/null
export QT_QPA_PLATFORM=offscreen
./build/tools/panel-pictures/panel-pictures docs/pictures 2 >/dev/null
./build/tools/panel-pictures/panel-pictures docs/pictures/fr 1 >/dev/null
./build/tools/panel-pictures/panel-pictures docs/pictures/es 3 >/dev/null
ls docs/pictures docs/pictures/fr docs/pictures/es
