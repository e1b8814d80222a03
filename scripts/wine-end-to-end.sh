#!/usr/bin/env bash
# The Windows build under Wine, used as a person uses it, against the Linux
# build: varno-cli.exe prints the same image, transmits the same bytes through a
# Wine COM port linked to the Linux emulator's pseudo-terminal, receives and
# verifies them; a missing port fails as on Linux; the programmer opens its
# window in an Xvfb display and transmits with F10 + Yes.
#
#   scripts/wine-end-to-end.sh WINDOWS_BIN LINUX_BUILD
#
# Needs WINEPREFIX (made by scripts/windows.sh test). Every step has a time limit.
set -uo pipefail
bin=$1
linux=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
wine=${VARNO_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
emulator=$linux/tools/varno-player-emulator/varno-player-emulator
cli=$linux/tools/varno-cli/varno-cli
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix of the run}"
export WINEDEBUG=-all

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/com5"
  rm -rf "$work"
}
trap cleanup EXIT

failed=0
pass() { echo "  ok: $1"; }
fail() { echo "  FAIL: $1"; failed=1; }
winecli() { timeout 120 "$wine" "$bin/varno-cli.exe" "$@"; }

# Starts an emulator saving into $1; sets $pty to its device.
start_emulator() {
  local save=$1 fifo=$work/emulator-out.$RANDOM
  mkfifo "$fifo"
  "$emulator" --save "$save" >"$fifo" 2>>"$work/emulator.log" &
  pids+=($!)
  emulator_pid=$!
  pty=""
  read -r -t 10 pty <"$fifo" || true
  rm -f "$fifo"
  [ -n "$pty" ]
}
stop_emulator() {
  kill -INT "$emulator_pid" 2>/dev/null
  timeout 10 tail --pid="$emulator_pid" -f /dev/null 2>/dev/null
}

project=$root/fuzz/corpus/fuzz_project_file/two-programs.prg

echo "End to end under Wine:"

# 1. image: exactly the Linux build's lines.
"$cli" image "$project" >"$work/image.linux" 2>&1
winecli image "$(winepath -w "$project" 2>/dev/null || echo "$project")" >"$work/image.windows" 2>&1 ||
  winecli image "$project" >"$work/image.windows" 2>&1
if cmp -s "$work/image.linux" "$work/image.windows"; then
  pass "varno-cli.exe image prints the Linux build's $(wc -l <"$work/image.linux") lines"
else
  fail "varno-cli.exe image differs from the Linux build:"
  diff "$work/image.linux" "$work/image.windows" | head -10
fi

# 2. transmit through COM5, linked to the emulator's pseudo-terminal; the
# emulator ends up with what the Linux build leaves in another one.
if start_emulator "$work/linux.mem"; then
  "$cli" transmit "$project" --port "$pty" --no-backup >"$work/linux-transmit.log" 2>&1 ||
    fail "the Linux build's transmit failed: $(cat "$work/linux-transmit.log")"
  stop_emulator
else
  fail "the emulator did not start"
fi
if start_emulator "$work/windows.mem"; then
  ln -sf "$pty" "$WINEPREFIX/dosdevices/com5"
  if winecli transmit "$project" --port COM5 --no-backup >"$work/windows-transmit.log" 2>&1; then
    pass "varno-cli.exe transmit through COM5"
  else
    fail "varno-cli.exe transmit failed: $(cat "$work/windows-transmit.log")"
  fi
  if winecli verify "$project" --port COM5 >"$work/verify.log" 2>&1; then
    pass "varno-cli.exe verify through COM5 finds the player as sent"
  else
    fail "varno-cli.exe verify failed: $(cat "$work/verify.log")"
  fi
  # The same player received by the Linux build: the same file, byte for byte.
  if winecli receive --port COM5 --output "$work/received.prg" >"$work/receive.log" 2>&1 &&
    "$cli" receive --port "$pty" --output "$work/received-linux.prg" >/dev/null 2>&1 &&
    cmp -s "$work/received.prg" "$work/received-linux.prg"; then
    pass "varno-cli.exe receive through COM5 writes the Linux build's file"
  else
    fail "varno-cli.exe receive: $(cat "$work/receive.log")"
  fi
  stop_emulator
  if [ -f "$work/linux.mem" ] && cmp -s <(grep -v '^#' "$work/linux.mem") <(grep -v '^#' "$work/windows.mem"); then
    pass "the emulator holds exactly the bytes the Linux build sends"
  else
    fail "the emulator's memory differs from the Linux build's transmit"
    diff <(grep -v '^#' "$work/linux.mem") <(grep -v '^#' "$work/windows.mem") | head -6
  fi
fi

# 3. a port that does not exist: the Linux build's message and exit status.
"$cli" transmit "$project" --port COM42 --no-backup >/dev/null 2>"$work/missing.linux"
linux_status=$?
winecli transmit "$project" --port COM42 --no-backup >/dev/null 2>"$work/missing.windows"
windows_status=$?
if [ "$linux_status" = "$windows_status" ] &&
  [ "$(head -1 "$work/missing.linux")" = "$(head -1 "$work/missing.windows")" ]; then
  pass "a missing port: \"$(head -1 "$work/missing.windows")\", exit $windows_status"
else
  fail "a missing port: Linux exit $linux_status \"$(head -1 "$work/missing.linux")\", Windows exit $windows_status \"$(head -1 "$work/missing.windows")\""
fi

# 4. the programmer in an Xvfb display: its title, then F10 + Yes through COM5.
if start_emulator "$work/gui.mem"; then
  ln -sf "$pty" "$WINEPREFIX/dosdevices/com5"
  printf 'Settings File of VARNO "Quillon" Programmer\r\nLanguage :\r\nEnglish\r\nCom Port selected :\r\nCOM5\r\nLast projet used\r\n\r\n' \
    >"$work/settings.cfg"
  status=0
  out=$(TRY_IN_X_SETTLE=2 timeout 180 "$here/try-in-x.sh" -w "$bin" "$work/settings.cfg" wait:2 F10 alt+y wait:6) || status=$?
  stop_emulator
  case $status in
    0)
      if grep -qxF '  "VARNO Programmer : New Project"' <<<"$out"; then
        pass "varno-programmer.exe shows \"VARNO Programmer : New Project\""
      else
        fail "no window titled \"VARNO Programmer : New Project\":"
        echo "$out"
      fi
      if grep -q '^slot 255' "$work/gui.mem" 2>/dev/null &&
        grep -q '^# project name: "New Project"' "$work/gui.mem"; then
        pass "F10 + Yes transmitted the new project through COM5"
      else
        fail "F10 + Yes did not transmit: $(head -3 "$work/gui.mem" 2>/dev/null)"
        echo "$out"
      fi
      ;;
    3) echo "  skipped: no X display can be reached here" ;;
    *) fail "the programmer could not be tried under Wine (exit $status)"; echo "$out" ;;
  esac
fi

exit $failed
