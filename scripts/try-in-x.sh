#!/usr/bin/env bash
# Tries the programmer as a person does, in a real X window: starts it under
# Xvfb with the given settings file, presses the given keys one step at a time
# and prints the title of every window on the screen after each step.
#
#   scripts/try-in-x.sh [-p PROGRAMMER | -w WINDOWS_BIN] [-s SHOTS_DIR] [-g WxH]
#                       [-o OPTIONS_FILE] [-e NAME=VALUE]... SETTINGS_FILE [STEP...]
#
# -o starts the programmer with that options file (window places, transfer
# choices); -e sets a variable for it (QT_SCALE_FACTOR=2 for a 200 % screen).
# With TRY_IN_X_PLACES=1 each title is followed by the window's place on the
# screen, "    at X,Y WxH". With -w the programmer is the Windows build's (its
# folder of programs and DLLs, build-windows/bin), run under Wine with the
# WINEPREFIX of the caller.
#
# A step is a key as xdotool names it (ctrl+s, Escape, alt+o, Return), or
# type:TEXT to type TEXT, or wait:SECONDS. The programmer runs from a copy in a
# scratch folder, with the settings file beside it and its own configuration
# there too, so nothing of the user's is read or written. With -s a screenshot
# of the screen is taken after each step. Needs xvfb and xdotool
# (scripts/install-deps.sh); imagemagick for screenshots. Ends with 3 where no X
# display can be reached on the machine.
set -euo pipefail
# How long the programmer gets after each step to draw what it opens; a loaded
# machine needs more.
settle=${TRY_IN_X_SETTLE:-0.7}
cd "$(dirname "$0")/.."

programmer=build/app/varno-programmer
shots=""
geometry=1280x1024
options=""
environment=()
windows_bin=""
while getopts "p:s:g:o:e:w:" option; do
  case "$option" in
    p) programmer=$OPTARG ;;
    w) windows_bin=$OPTARG; programmer=$OPTARG/varno-programmer.exe ;;
    s) shots=$OPTARG ;;
    g) geometry=$OPTARG ;;
    o) options=$OPTARG ;;
    e) environment+=("$OPTARG") ;;
    *) sed -n '2,22p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
  sed -n '2,22p' "$0"
  exit 2
fi
settings=$1
shift

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
[ -x "$programmer" ] || { echo "No programmer at $programmer: build it first" >&2; exit 1; }
[ -f "$settings" ] || { echo "No settings file $settings" >&2; exit 1; }

scratch=$(mktemp -d)
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

if [ -n "$windows_bin" ]; then
  # The programs' folder without the test programs: a portable copy.
  (cd "$windows_bin" && tar --exclude='test_*' -cf - .) | tar -C "$scratch" -xf -
else
  cp "$programmer" "$scratch/varno-programmer"
fi
cp "$settings" "$scratch/VARNOQuillonProg2.cfg"
if [ -n "$options" ]; then
  mkdir -p "$scratch/config/VARNO/VARNO Programmer"
  cp "$options" "$scratch/config/VARNO/VARNO Programmer/options.ini"
fi

# Starts Xvfb with the given listening options and host part of the display
# name, and waits until a client really gets in: a display number written out
# is not yet a display that accepts connections on every machine. Xvfb picks a
# free display and writes its number on the descriptor given.
startX() {
  local host=$1 number="" displayfd
  shift
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 "${geometry}x24" "$@" >>"$scratch/xvfb.log" 2>&1 &
  xvfb=$!
  read -r -t 10 -u "$displayfd" number || true
  exec {displayfd}<&-
  if [ -n "$number" ]; then
    export DISPLAY="$host:$number"
    for _ in $(seq 50); do
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      kill -0 "$xvfb" 2>/dev/null || break
      sleep 0.1
    done
  fi
  {
    echo "No client could connect to Xvfb ($* ${DISPLAY:-no display}); its log:"
    cat "$scratch/xvfb.log"
    echo "X sockets:"
    grep -F .X11-unix /proc/net/unix || true
  } >&2
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
  return 1
}

# Local sockets first; where a sandbox keeps clients from them, the loopback.
if ! startX "" -nolisten tcp && ! startX 127.0.0.1 -listen tcp -nolisten local -nolisten unix; then
  echo "No X display can be reached on this machine" >&2
  exit 3
fi

if [ -n "$windows_bin" ]; then
  # Wine's desktop process keeps the display of the program that started it:
  # a Wine server left running from an earlier program has none.
  wine=${VARNO_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
  timeout 30 "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  timeout 30 "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
  (cd "$scratch" && WINEDEBUG=-all \
    exec env ${environment[@]+"${environment[@]}"} "$wine" ./varno-programmer.exe \
    >"$scratch/out.log" 2>&1) &
else
  (cd "$scratch" && QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
    XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache" \
    exec env ${environment[@]+"${environment[@]}"} ./varno-programmer >"$scratch/out.log" 2>&1) &
fi
app=$!

# The programmer's windows on the screen that carry a title, from the bottom
# of the stack to the top.
windows() {
  local id
  # Wine's windows carry the process id of its own server: on a display of our
  # own every visible window is the programmer's.
  local by_pid=(--pid "$app")
  [ -n "$windows_bin" ] && by_pid=()
  for id in $(xdotool search --onlyvisible "${by_pid[@]}" --name '' 2>/dev/null || true); do
    [ -n "$(xdotool getwindowname "$id" 2>/dev/null)" ] && echo "$id"
  done
  return 0
}

titles() {
  local id
  for id in $(windows); do
    printf '  "%s"\n' "$(xdotool getwindowname "$id")"
    if [ "${TRY_IN_X_PLACES:-0}" = 1 ]; then
      (eval "$(xdotool getwindowgeometry --shell "$id")"
       printf '    at %s,%s %sx%s\n' "$X" "$Y" "$WIDTH" "$HEIGHT")
    fi
  done
}

# Without a window manager nobody gives the keyboard to a new window: give it
# to the one on top, the one a person would be looking at.
focusTop() {
  local newest
  newest=$(windows | tail -1)
  [ -n "$newest" ] && xdotool windowfocus --sync "$newest" 2>/dev/null || true
}

step=0
show() {
  echo "$1:"
  titles
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    import -display "$DISPLAY" -window root "$shots/step-$step.png" 2>/dev/null || true
  fi
  step=$((step + 1))
}

# The first window of the programmer, then a moment for the boxes it opens.
# Wine may take far longer to show the first one (a fresh prefix, a loaded
# machine): up to a minute there, ten seconds natively.
first_tries=100
[ -z "$windows_bin" ] || first_tries=600
for _ in $(seq "$first_tries"); do
  [ -n "$(windows)" ] && break
  if ! kill -0 "$app" 2>/dev/null; then
    { echo "The programmer ended:"; cat "$scratch/out.log"; echo "Xvfb's log:"; cat "$scratch/xvfb.log"; } >&2
    # The display turned a client away: a fault of the machine, not of the programmer.
    grep -q "could not connect to display" "$scratch/out.log" && exit 3
    exit 1
  fi
  sleep 0.1
done
sleep "$settle"
# Wine maps a window again when it restyles it: wait until one stays.
if [ -n "$windows_bin" ]; then
  for _ in $(seq 100); do
    [ -n "$(windows)" ] && break
    sleep 0.1
  done
  sleep "$settle"
fi
show "started"

for action in "$@"; do
  focusTop
  case "$action" in
    type:*) xdotool type --delay 20 "${action#type:}" ;;
    wait:*) sleep "${action#wait:}" ;;
    *) xdotool key "$action" ;;
  esac
  sleep "$settle"
  if ! kill -0 "$app" 2>/dev/null; then
    echo "after $action: the programmer has ended"
    exit 0
  fi
  show "after $action"
done
