#!/usr/bin/env bash
# The programmer in a real X window (Xvfb), in French, with a last project that
# does not load: every window carries exactly its own title (no suffix), the
# save dialog is the toolkit's own in French, and Save never writes over the
# broken file. Skipped (77) where Xvfb or xdotool is missing, or where no
# client can connect to the Xvfb it starts.
set -euo pipefail
programmer=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: skipped"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Group Of Program File of VARNO\r\n*****\r\nName\r\n\r\n\r\n\r\n\r\n\r\n\r\nmany\r\n' \
  >"$work/broken.prg"
printf 'Settings File of VARNO "Quillon" Programmer\r\nLanguage :\r\nFrench\r\nCom Port selected :\r\nCOM1\r\nLast projet used\r\n%s\r\n' \
  "$work/broken.prg" >"$work/settings.cfg"
before=$(md5sum <"$work/broken.prg")

# The error box, then Ctrl+S twice: each time the save dialog, given up.
status=0
out=$("$here/../../scripts/try-in-x.sh" -p "$programmer" "$work/settings.cfg" \
  Return ctrl+s Escape ctrl+s Escape) || status=$?
echo "$out"
case $status in
  0) ;;
  3) echo "No X display can be reached here: skipped"; exit 77 ;;
  *) echo "FAIL: the programmer could not be tried (exit $status)"; exit 1 ;;
esac

failed=0
expect() {
  grep -qxF -- "  \"$1\"" <<<"$out" || { echo "FAIL: no window titled \"$1\""; failed=1; }
}
expect "VARNO Programmer"                 # the error box
expect "VARNO Programmer : New Project"   # the main window
expect "Enregistrer sous"                 # the toolkit's save dialog, in French
if grep -q -- ' — ' <<<"$out"; then
  echo "FAIL: a title carries a suffix"
  failed=1
fi
if [ "$(md5sum <"$work/broken.prg")" != "$before" ]; then
  echo "FAIL: the project that did not load was written"
  failed=1
fi
# --- Windows that fit the screen ---------------------------------------------
# Places remembered on a larger screen, reopened at 200 % on 2048 × 1536 (1024 ×
# 768 to the programmer): both windows on the screen whole, and Escape closes
# the schedule window.
cat >"$work/options.ini" <<'OPTIONS'
[mainWindow]
geometry=@Rect(-40 -30 1900 1100)
maximized=false

[scheduleWindow]
geometry=@Rect(600 -50 2400 1500)
maximized=false
open=true
OPTIONS
printf 'Settings File of VARNO "Quillon" Programmer\r\nLanguage :\r\nFrench\r\nCom Port selected :\r\nCOM1\r\nLast projet used\r\n\r\n' \
  >"$work/fit.cfg"
status=0
out=$(TRY_IN_X_PLACES=1 "$here/../../scripts/try-in-x.sh" -p "$programmer" -g 2048x1536 \
  -o "$work/options.ini" -e QT_SCALE_FACTOR=2 "$work/fit.cfg" wait:1 Escape) || status=$?
echo "$out"
case $status in
  0) ;;
  3) echo "No X display can be reached here: skipped"; exit $((failed ? 1 : 77)) ;;
  *) echo "FAIL: the programmer could not be tried (exit $status)"; exit 1 ;;
esac
placesAt() { # the places of the windows listed after step $1
  awk -v step="$1" '/^[^ ]/ { shown = ($0 == step ":") } shown && /^    at / { print $2, $3 }' <<<"$out"
}
while read -r corner size; do
  x=${corner%,*} y=${corner#*,} w=${size%x*} h=${size#*x}
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt 2048 ] || [ $((y + h)) -gt 1536 ]; then
    echo "FAIL: a window at $corner $size is not on the 2048x1536 screen"
    failed=1
  fi
done < <(placesAt "after wait:1")
[ "$(placesAt "after wait:1" | wc -l)" = 2 ] || { echo "FAIL: the schedule window did not open again"; failed=1; }
after=$(awk '/^after Escape:/ { shown = 1; next } /^[^ ]/ { shown = 0 } shown' <<<"$out")
if grep -qxF '  "Planning"' <<<"$after"; then
  echo "FAIL: Escape did not close the schedule window"
  failed=1
fi
# --- end of windows that fit the screen -------------------------------------


# --- The keys and the selection, and no save question when nothing changed.
cp "$here/../../fuzz/corpus/fuzz_project_file/two-programs.prg" "$work/two.prg"
printf 'Settings File of VARNO "Quillon" Programmer\r\nLanguage :\r\nEnglish\r\nCom Port selected :\r\nCOM1\r\nLast projet used\r\n%s\r\n' \
  "$work/two.prg" >"$work/english.cfg"
two=$(md5sum <"$work/two.prg")
# A display another run took meanwhile (exit 3) is tried again, then skipped.
tryIt() {
  local result attempt
  for attempt in 1 2 3; do
    result=0
    out=$("$here/../../scripts/try-in-x.sh" -p "$programmer" "$work/english.cfg" "$@") || result=$?
    echo "$out"
    [ "$result" = 3 ] || break
    sleep 1
  done
  case $result in
    0) ;;
    3) echo "No X display can be reached here: skipped"; exit $((failed ? 1 : 77)) ;;
    *) echo "FAIL: the programmer could not be tried (exit $result)"; exit 1 ;;
  esac
}
# Five Tabs reach the first row (program 007), Return opens it: merely looking
# leaves nothing to save, so Exit asks nothing and the file stays as it was.
tryIt Tab Tab Tab Tab Tab Return alt+f x
grep -qxF "after x: the programmer has ended" <<<"$out" ||
  { echo "FAIL: Exit asked a question after a program was only opened"; failed=1; }
[ "$(md5sum <"$work/two.prg")" = "$two" ] || { echo "FAIL: the project was written"; failed=1; }
# The row the keys reach is the one Delete deletes (007, not the selected 003).
tryIt Tab Tab Tab Tab Tab Delete Return ctrl+s alt+f x
numbers=$(tr -d '\r' <"$work/two.prg" | awk 'previous == "*****" { print } { previous = $0 }' | tail -n +3)
[ "$numbers" = "3" ] || { echo "FAIL: Delete did not delete the row with the keys: left $numbers"; failed=1; }
exit "$failed"
