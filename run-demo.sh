#!/usr/bin/env bash
# Builds Quillon Loader and starts it under Wine on the bundled demo library:
# Data.ini, a few sample game files with pictures, an old Loader.ini catalogue
# to import, and tiny demo games in C:\DemoGames that really start and show how
# they were started. Two of them are real DOS games (Rainbow, Sound Check):
# Wine, like 64-bit Windows, cannot run DOS programs, so they go to DOSBox,
# here Debian's own dosbox (Z:\usr\bin\dosbox), which the program finds at its
# first start; DOSBox keeps its own configuration in build/wineprefix-demo.home.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$QL_ROOT"

ql_need_packages
mkdir -p build
# Wine here runs 64-bit programs only, so the demo runs the x86_64 build; the
# product for Windows 95 to XP is the i686 one (run-tests.sh builds both).
ql_build x86_64 build/demo -DQL_BUILD_TESTS=OFF

own_display=""
if [ -z "${DISPLAY:-}" ]; then
  ql_start_display
  own_display=1
  echo "No display given: running on the virtual display $DISPLAY (a screenshot goes to build/demo-shot.png)."
fi
prefix="$QL_ROOT/build/wineprefix-demo"
first=""
[ -f "$prefix/system.reg" ] || first=1
ql_start_wine "$prefix" "${own_display:+desktop}"
trap 'ql_stop_wine; ql_stop_display' EXIT

drive="$WINEPREFIX/drive_c"
app="$drive/Quillon Loader"
mkdir -p "$app/Games" "$app/Images"
cp build/demo/Quillon.exe build/demo/Quillon.chm "$app/"
[ -f "$app/Data.ini" ] || cp demo/Data.ini "$app/"
cp -n demo/Images/*.bmp "$app/Images/" 2>/dev/null || true
if [ -n "$first" ]; then cp demo/Games/*.qgf "$app/Games/"; fi
# An old catalogue in the Loader.ini layout: the first start offers to import
# it. Not on a display nobody watches, where the question would wait forever.
if [ -n "$first" ] && [ -z "$own_display" ]; then cp demo/Loader.ini "$app/"; fi
ql_put_demo_games "$drive" build/demo/demo
export HOME="$prefix.home"
mkdir -p "$HOME"

echo "Starting Quillon Loader (C:\\Quillon Loader\\Quillon.exe)..."
if [ -n "$own_display" ]; then
  # Nobody can click here: skip the one-time welcome, show the main window on
  # the demo library, take a screenshot and end.
  wine reg add 'HKLM\Software\Freeware\QuillonLoader' /v FirstRun /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine "C:\\Quillon Loader\\Quillon.exe" >"$QL_ROOT/build/demo.log" 2>&1 &
  sleep 8
  import -window root "$QL_ROOT/build/demo-shot.png" && echo "Screenshot: build/demo-shot.png"
  wineserver -k >/dev/null 2>&1 || true
  sleep 1
  # A game file on the command line, as the shell passes it: the game starts.
  wine "C:\\Quillon Loader\\Quillon.exe" "C:\\Quillon Loader\\Games\\Tank Duel.qgf" >>"$QL_ROOT/build/demo.log" 2>&1 &
  sleep 8
  import -window root "$QL_ROOT/build/demo-game-shot.png" && echo "Screenshot of a started demo game: build/demo-game-shot.png"
  cat "$drive/DemoGames/TankDuel/RANLAST.TXT" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  sleep 1
  # A real DOS game: Wine cannot run DOS programs, so it goes to DOSBox.
  rm -f "$drive/DemoGames/Sound Check/MARKER.TXT"
  wine "C:\\Quillon Loader\\Quillon.exe" "C:\\Quillon Loader\\Games\\Sound Check.qgf" >>"$QL_ROOT/build/demo.log" 2>&1 &
  for _ in $(seq 100); do [ -s "$drive/DemoGames/Sound Check/MARKER.TXT" ] && break; sleep 0.2; done
  sleep 1
  import -window root "$QL_ROOT/build/demo-dosbox-shot.png" && echo "Screenshot of a DOS game in DOSBox: build/demo-dosbox-shot.png"
  cat "$drive/DemoGames/Sound Check/MARKER.TXT" 2>/dev/null || echo "The DOS game wrote no marker: see build/demo.log"
  # DOSBox is a host program, which Wine does not wait for: wait for this HOME's one to end.
  for _ in $(seq 100); do
    for p in $(pgrep -x dosbox); do tr '\0' '\n' 2>/dev/null </proc/$p/environ | grep -qxF "HOME=$HOME" && echo $p; done | grep -q . || break
    sleep 0.2
  done
else
  wine "C:\\Quillon Loader\\Quillon.exe" >"$QL_ROOT/build/demo.log" 2>&1
fi
