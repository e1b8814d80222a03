#!/usr/bin/env bash
# The Windows build, cross-compiled with MinGW-w64, and its tests under Wine.
#
#   scripts/windows.sh build   make windows: the programs, the tests that run on
#                              Windows, the installer and the portable zip
#   scripts/windows.sh test    make test-windows: the Windows tests under Wine
#   scripts/windows.sh stage   the Windows part of make test: build and test, or
#                              one "skipped" line where the toolchain or Wine is
#                              missing (never a failure for that reason)
#   scripts/windows.sh prebuild the stage's build alone, quietly
#
# The Qt for Windows comes from VARNO_QT_MINGW (the .tar.xz) or
# ../shared/toolchains/qt-6.4.2-mingw64.tar.xz beside the repository; it is
# unpacked into build-windows/toolchain/. Every Wine step has a time limit.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
qt_name=qt-6.4.2-mingw64
archive=${VARNO_QT_MINGW:-$root/../shared/toolchains/$qt_name.tar.xz}
wine=${VARNO_WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}

# The part of the Windows tests make test runs: the portable test programs that
# cover the most in the least building (make test-windows runs them all).
stage_tests=(test_program_model test_project_file test_eeprom_image test_link test_text test_captions
  test_report test_varno_cli test_settings_file test_user_dialogs test_shell_dialogs)

now() { date +%s; }
stage_started=$(now)
elapsed() { echo "$(($(now) - $1)) s"; }

# What the build needs that may be missing; empty when nothing is.
missing_for_build() {
  [ -f "$archive" ] || { echo "the Qt for Windows ($archive; VARNO_QT_MINGW names another)"; return; }
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || { echo "the MinGW-w64 compiler (g++-mingw-w64-x86-64-posix)"; return; }
  [ -f /usr/src/googletest/CMakeLists.txt ] || { echo "GoogleTest's sources (googletest)"; return; }
  command -v makensis >/dev/null || { echo "makensis (nsis)"; return; }
  true
}

missing_for_test() {
  [ -x "$wine" ] || { echo "Wine (wine64)"; return; }
  [ -x build/tools/varno-player-emulator/varno-player-emulator ] ||
    { echo "the Linux build (make build)"; return; }
  true
}

unpack_toolchain() {
  local stamp=$build/toolchain/.unpacked-from
  local id
  id="$(stat -c '%s %Y' "$archive") $archive"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$id" ]; then
    return
  fi
  rm -rf "$build/toolchain"
  mkdir -p "$build/toolchain"
  tar -C "$build/toolchain" -xJf "$archive"
  echo "$id" >"$stamp"
}

do_build() {
  local why t
  why=$(missing_for_build)
  if [ -n "$why" ]; then
    echo "make windows: $why is missing." >&2
    echo "  Install the packages with scripts/install-deps.sh; the Qt for Windows is built by" >&2
    echo "  build-qt-mingw.sh (beside qt-6.4.2-mingw64.tar.xz in ../shared/toolchains/)," >&2
    echo "  or set VARNO_QT_MINGW to the .tar.xz it made." >&2
    return 1
  fi
  t=$(now); unpack_toolchain; echo "windows: toolchain unpacked in $(elapsed "$t")"
  t=$(now); cmake --preset windows >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; return 1; }
  echo "windows: configured in $(elapsed "$t")"
  t=$(now)
  if [ $# -gt 0 ]; then
    cmake --build --preset windows --target "$@"
  else
    cmake --build --preset windows
  fi
  echo "windows: built in $(elapsed "$t")"
  if [ "${VARNO_WINDOWS_PACKAGES:-1}" = 1 ]; then
    t=$(now)
    (cd "$build" && cpack -C Release >"$build/cpack.log" 2>&1) ||
      { cat "$build/cpack.log"; return 1; }
    echo "windows: installer and zip in $(elapsed "$t"):"
    ls "$build"/VarnoProgrammer-*.{exe,zip} 2>/dev/null | sed 's/^/  /'
  fi
}

# One prefix for the whole run, made once; removed at the end.
prefix_dir=""
stop_wine() {
  if [ -n "$prefix_dir" ]; then
    WINEPREFIX=$prefix_dir/prefix timeout 20 "$(dirname "$wine")/wineserver" -k 2>/dev/null ||
      WINEPREFIX=$prefix_dir/prefix timeout 20 wineserver -k 2>/dev/null || true
    rm -rf "$prefix_dir"
  fi
}

start_wine() {
  prefix_dir=$(mktemp -d)
  trap stop_wine EXIT
  export WINEPREFIX=$prefix_dir/prefix WINEDEBUG=-all VARNO_WINE=$wine
  local t
  t=$(now)
  if ! timeout 180 "$wine" wineboot -i >"$prefix_dir/wineboot.log" 2>&1 ||
    [ ! -d "$WINEPREFIX/drive_c/windows" ]; then
    echo "Windows tests under Wine: skipped (Wine did not start; its log:)"
    sed 's/^/  /' "$prefix_dir/wineboot.log" | tail -5
    return 1
  fi
  echo "windows: Wine prefix made in $(elapsed "$t")"
}

do_test() {
  local why t status=0
  why=$(missing_for_test)
  [ -z "$why" ] || { echo "make test-windows: $why is missing" >&2; return 1; }
  [ -d "$build/bin" ] || { echo "make test-windows: no Windows build; run make windows" >&2; return 1; }
  start_wine || return 0
  t=$(now)
  if [ $# -gt 0 ]; then
    ctest --preset windows -R "^($(IFS='|'; echo "$*"))\$" || status=1
  else
    ctest --preset windows || status=1
  fi
  echo "windows: tests under Wine in $(elapsed "$t")"
  t=$(now)
  "$root/scripts/wine-end-to-end.sh" "$build/bin" "$root/build" || status=1
  echo "windows: end-to-end checks under Wine in $(elapsed "$t")"
  return $status
}

do_stage() {
  local why
  why=$(missing_for_build)
  [ -n "$why" ] || why=$(missing_for_test)
  if [ -n "$why" ]; then
    echo "Windows build and tests under Wine: skipped ($why is missing)"
    return 0
  fi
  VARNO_WINDOWS_PACKAGES=${VARNO_WINDOWS_PACKAGES:-0} do_build varno-programmer varno-cli \
    "${stage_tests[@]}"
  do_test "${stage_tests[@]}"
  echo "windows: whole stage in $(elapsed "$stage_started")"
}

# The stage's build alone, quietly, for `make test` to run beside the fuzzers
# (they run for a fixed time, whatever the load): the stage then finds it built,
# or builds again and shows what failed.
do_prebuild() {
  [ -z "$(missing_for_build)" ] || return 0
  mkdir -p "$build"
  VARNO_WINDOWS_PACKAGES=0 do_build varno-programmer varno-cli "${stage_tests[@]}" \
    >"$build/prebuild.log" 2>&1 || true
}

case ${1:-} in
  build) do_build ;;
  prebuild) do_prebuild ;;
  test) do_test ;;
  stage) do_stage ;;
  *) sed -n '2,16p' "$0"; exit 2 ;;
esac
