#!/usr/bin/env bash
# The Windows row of the transfer figures: a transmit of 255 programs by the
# Windows build's varno-cli.exe under Wine, through a Wine COM port linked to
# the emulator's pseudo-terminal, beside the same transmit by the Linux build's
# varno-cli on the pseudo-terminal itself. Paced at the line's 57600 baud (the
# figure users feel) and unpaced (the host's own cost of the exchanges).
#
#   scripts/wine-bench.sh WINDOWS_BIN LINUX_BUILD [RUNS]
#
# Prints "NAME: VALUE" lines for scripts/bench.sh; figures only, nothing fails.
set -uo pipefail
bin=$1
linux=$2
runs=${3:-3}
wine=${VARNO_WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
emulator=$linux/tools/varno-player-emulator/varno-player-emulator
cli=$linux/tools/varno-cli/varno-cli
floor=1.2625 # seconds the bytes of a transmit need on the line

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
emulator_pid=""
cleanup() {
  [ -z "$emulator_pid" ] || kill "$emulator_pid" 2>/dev/null
  timeout 20 "$(dirname "$wine")/wineserver" -k 2>/dev/null || timeout 20 wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if ! timeout 180 "$wine" wineboot -i >"$work/wineboot.log" 2>&1; then
  echo "transmit 255 programs, Windows under Wine: not measured (Wine did not start)"
  exit 0
fi

# 255 programs, each with one to six actions.
{
  printf 'number,priority,timer,active,hour,minute,date,weekday,date mode,action count'
  printf ',kind %d' 1 2 3 4 5 6
  printf ',number %d' 1 2 3 4 5 6
  printf ',value %d' 1 2 3 4 5 6
  printf ',title,colour,comment\n'
  for i in $(seq 1 255); do
    echo "$i,0,0,1,8,0,2026-12-01,1,0,$((1 + i % 6)),0,0,0,0,0,0,1,2,3,4,5,6,255,255,255,255,255,255,Program $i,#FFFFFF,"
  done
} >"$work/project.csv"
"$cli" import "$work/project.csv" --output "$work/project.prg" >/dev/null || exit 0

start_emulator() {
  local fifo=$work/emulator-out
  rm -f "$fifo"
  mkfifo "$fifo"
  "$emulator" "$@" >"$fifo" 2>/dev/null &
  emulator_pid=$!
  pty=""
  read -r -t 10 pty <"$fifo" || true
  [ -n "$pty" ]
}
stop_emulator() {
  kill -INT "$emulator_pid" 2>/dev/null
  timeout 10 tail --pid="$emulator_pid" -f /dev/null 2>/dev/null
  emulator_pid=""
}

# Seconds of one run of a command, or "failed".
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo failed; return; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}
median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }

# The median over the runs of one transmit; $1 is linux or windows, then the
# emulator's options.
transmit_time() {
  local side=$1 times=() t
  shift
  for _ in $(seq "$runs"); do
    start_emulator "$@" || { echo failed; return; }
    if [ "$side" = linux ]; then
      t=$(seconds timeout 120 "$cli" transmit "$work/project.prg" --port "$pty" --no-backup)
    else
      ln -sf "$pty" "$WINEPREFIX/dosdevices/com5"
      t=$(seconds timeout 120 "$wine" "$bin/varno-cli.exe" transmit "$work/project.prg" \
        --port COM5 --no-backup)
    fi
    stop_emulator
    [ "$t" != failed ] || { echo failed; return; }
    times+=("$t")
  done
  median "${times[@]}"
}

# Wine's own start-up, measured on a command that opens no port.
startups=()
for _ in $(seq "$runs"); do
  startups+=("$(seconds timeout 60 "$wine" "$bin/varno-cli.exe" --version)")
done
startup=$(median "${startups[@]}")

report() { # NAME SECONDS [WINE_STARTUP]
  if [ "$2" = failed ]; then
    echo "$1: failed"
    return
  fi
  local line
  line=$(printf '%.3f s' "$2")
  case $1 in *unpaced*) ;; *) line+=$(printf '  (ratio to the line-time floor %.3f)' "$(awk -v t="$2" -v f="$floor" 'BEGIN { print t / f }')") ;; esac
  [ -z "${3:-}" ] || line+=$(printf '  (of which Wine start-up %.3f s)' "$3")
  echo "$1: $line"
}
report "transmit 255 programs, Linux varno-cli" "$(transmit_time linux --slow)"
report "transmit 255 programs, Windows varno-cli.exe under Wine" "$(transmit_time windows --slow)" "$startup"
report "transmit 255 programs unpaced, Linux varno-cli" "$(transmit_time linux)"
report "transmit 255 programs unpaced, Windows varno-cli.exe under Wine" "$(transmit_time windows)" "$startup"
