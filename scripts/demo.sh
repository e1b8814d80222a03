#!/usr/bin/env bash
# Starts an emulated player on a pseudo-terminal and the programmer wired to it,
# so that transmit (F10) and receive (F11) can be tried without a player.
# The player's memory is kept in build/demo-player.txt between runs.
set -euo pipefail
cd "$(dirname "$0")/.."

emulator=build/tools/varno-player-emulator/varno-player-emulator
programmer=build/app/varno-programmer
port=/tmp/varno-demo-player
memory=build/demo-player.txt

args=(--link "$port" --save "$memory")
[ -f "$memory" ] && args+=(--load "$memory")
"$emulator" "${args[@]}" >/tmp/varno-demo-player.out &
player=$!
trap 'kill "$player" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -s /tmp/varno-demo-player.out ] && break
  sleep 0.1
done
echo "Emulated player on $(head -1 /tmp/varno-demo-player.out), also reachable as $port"

# The programmer reads its port from the settings file next to it. The demo runs
# a link to it from a folder of its own, with a settings file of its own, so that
# a later `make run` does not start on this run's dead pseudo-terminal. The
# demo's file starts from the programmer's language and last project.
demo=build/demo
mkdir -p "$demo"
ln -f "$programmer" "$demo/varno-programmer" 2>/dev/null || cp -f "$programmer" "$demo/"
programmer=$demo/varno-programmer
settings=$demo/VARNOQuillonProg2.cfg
[ -f "$settings" ] || [ ! -f build/app/VARNOQuillonProg2.cfg ] || cp build/app/VARNOQuillonProg2.cfg "$settings"
if [ -f "$settings" ]; then
  mapfile -t lines < <(tr -d '\r' < "$settings")
else
  lines=('Settings File of VARNO "Quillon" Programmer' 'Language :' 'English' \
         'Com Port selected :' '' 'Last projet used' '')
fi
while [ "${#lines[@]}" -lt 7 ]; do lines+=(''); done
lines[4]="$port"
printf '%s\r\n' "${lines[@]:0:7}" > "$settings"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display here: try the command line instead, for example"
  echo "  build/tools/varno-cli/varno-cli transmit FILE.prg --port $port"
  echo "  build/tools/varno-cli/varno-cli receive --port $port --output back.prg"
  echo "Press Ctrl+C to stop the player."
  wait "$player"
else
  "$programmer"
fi
