#!/usr/bin/env bash
# The end-to-end test of the installed program, in a fresh Wine prefix (build/.../wineprefix-e2e):
#  1. the installer (around this tree's x86_64 program) installs silently; its copy built to find no C
#     run-time library stops first and says why;
#  2. e2e_driver drives the installed Quillon.exe as a player would (tests/e2e/Driver.cpp), then DOS games
#     in Debian's dosbox with a HOME of the run's own; screenshots and logs go to ARTEFACTS_DIR
#     (BUILD_DIR/e2e unless given);
#  3. an upgrade keeps the player's Data.ini and games; 4. the uninstaller leaves exactly the player's files.
#   run_e2e.sh BUILD_DIR SOURCE_DIR [ARTEFACTS_DIR]
set -uo pipefail
build=$(cd "$1" && pwd)
source "$2/tools/common.sh"

setup="$build/e2e/QuillonLoaderSetup.exe"
out=${3:-$build/e2e}
prefix="$build/wineprefix-e2e"
norun="$build/e2e/QuillonLoaderSetupNoRuntime.exe"
for f in "$setup" "$norun"; do [ -f "$f" ] || { echo "missing $f (target test_installer)"; exit 1; }; done
mkdir -p "$out"
rm -f "$out"/*.png

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

own_display=""
if [ -z "${DISPLAY:-}" ]; then ql_start_display; own_display=1; fi
rm -rf "$prefix" "$prefix.boot.log" "$prefix.server.log" "$prefix.host" "$prefix.home" "$prefix.onz"
ql_start_wine "$prefix" desktop
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$own_display" ] && ql_stop_display
}
trap cleanup EXIT

drive="$WINEPREFIX/drive_c"
app_win='C:\Program Files\Quillon Loader'
app="$drive/Program Files/Quillon Loader"

# The demo games that the sample game files point at, and an old catalogue.
ql_put_demo_games "$drive" "$build/demo"
mkdir -p "$drive/OldCatalogue/Images"
cp "$2/demo/Loader.ini" "$drive/OldCatalogue/"
cp "$2/demo/Images/"*.bmp "$drive/OldCatalogue/Images/"

echo "== the installer on a Windows without MSVCRT.DLL"
# Built to look for a run-time library that is not there: it tells the player what
# to install and stops, silently too, before it writes anything.
wine "$norun" /S "/D=$app_win" >"$out/install.log" 2>&1
check "the silent setup stops with exit code 3" [ $? -eq 3 ]
check "and installs nothing" [ ! -e "$app" ]
wine "$build/tests/e2e_driver.exe" --setup-without-runtime "$(winepath -w "$norun")" "$(winepath -w "$out")" 2>&1 \
  | tr -d '\r' | tee "$out/driver-setup.log"
check "its message says what to install" [ "${PIPESTATUS[0]}" -eq 0 ]

echo "== install"
wine "$setup" /S "/D=$app_win" >>"$out/install.log" 2>&1
check "the installer ends with 0" [ $? -eq 0 ]
for f in Quillon.exe Quillon.chm ReadMe.txt Data.ini Uninstall.exe; do
  check "installed $f" [ -f "$app/$f" ]
done
check "installed the nine sample games" [ "$(ls "$app/Games"/*.qgf 2>/dev/null | wc -l)" -eq 9 ]
check "installed their pictures" [ "$(ls "$app/Images"/*.bmp 2>/dev/null | wc -l)" -eq 4 ]
menu=$(find "$drive" -type d -path '*Start Menu/Programs/Quillon Loader' | head -1)
check "a Start-menu folder with four shortcuts" \
  sh -c '[ -n "$1" ] && [ "$(ls "$1"/*.lnk 2>/dev/null | wc -l)" -eq 4 ]' _ "$menu"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonLoader'
check "Add/Remove Programs lists the uninstaller" \
  sh -c "wine reg query '$uninstall_key' /v UninstallString 2>/dev/null | grep -q 'Uninstall.exe'"

# DOSBox is the host's own: DOSBox makes the player's configuration in this
# HOME, never in the real one.
export HOME="$prefix.home"
mkdir -p "$HOME"

echo "== the program, driven from outside"
shots_win=$(winepath -w "$out")
wine "$build/tests/e2e_driver.exe" "$app_win" "$shots_win" 'C:\OldCatalogue\Loader.ini' 2>&1 \
  | tr -d '\r' | tee "$out/driver.log"
check "every step of the driven run passed" [ "${PIPESTATUS[0]}" -eq 0 ]

echo "== DOS games in the host's DOSBox"
# DOS programs under names and in folders that DOSBox finds hard, a CD image of
# genisoimage's, and a folder on drive Z: (outside the prefix's drives).
runs="$drive/DOSRUNS"
deep="$runs/DEEPPATH/LEVEL001/LEVEL002/LEVEL003/LEVEL004/LEVEL005/LEVEL006/GAME"
onz="$prefix.onz/GAME"
mkdir -p "$runs/CDGAME" "$runs/DISC1" "$runs/ISO" "$runs/SPEED" "$runs/CDNAME" "$runs/TOM & JERRY" "$runs/OWNC" \
         "$runs/NOPROG" "$deep" "$onz"
cp "$build/demo/CDCHECK.COM" "$runs/CDGAME/"
cp "$build/demo/CPUCOUNT.COM" "$runs/SPEED/"
for dir in "$runs/TOM & JERRY" "$runs/OWNC" "$deep" "$onz"; do cp "$build/demo/REPORT.COM" "$dir/GAME.COM"; done
cp "$build/demo/REPORT.COM" "$runs/CDNAME/CD.COM"
cp "$build/demo/REPORT.COM" "$runs/NOPROG/Long name game.com"
printf 'Disc one of the end-to-end test\r\n' >"$runs/DISC1/QUILLON.TXT"
genisoimage -quiet -V DISC1 -o "$runs/ISO/DISC1.ISO" "$runs/DISC1"
wine "$build/tests/e2e_driver.exe" --dosbox "$app_win" "$shots_win" 'C:\DOSRUNS' "Z:$(echo "$onz" | tr / '\\')" 2>&1 \
  | tr -d '\r' | tee "$out/driver-dosbox.log"
check "every DOS game ran in the host's DOSBox" [ "${PIPESTATUS[0]}" -eq 0 ]
check "DOSBox made the player's own configuration in the run's HOME" [ -f "$HOME/.dosbox/dosbox-0.74-3.conf" ]
check "no DOSBox of the run is left" sh -c '! for p in $(pgrep -x dosbox); do
  tr "\0" "\n" 2>/dev/null </proc/$p/environ | grep -qxF "HOME=$HOME" && echo $p; done | grep -q .'
echo "screenshots: $(ls "$out"/*.png 2>/dev/null | wc -l) in $out"

# The player's files now: what the installer brought, changed by the run, and
# what the player added. An upgrade and the uninstaller must keep all of them.
echo "== upgrade"
printf '[Categories]\r\n23=My Own Category\r\n' >>"$app/Data.ini"
player_files() { (cd "$app" && find . -type f ! -name Quillon.exe ! -name Quillon.chm ! -name ReadMe.txt \
                   ! -name Uninstall.exe | sort | xargs -d '\n' md5sum); }
before=$(player_files)
rm -f "$app/Quillon.chm"
wine "$setup" /S "/D=$app_win" >>"$out/install.log" 2>&1
check "the upgrade ends with 0" [ $? -eq 0 ]
check "the upgrade puts the program's files back" [ -f "$app/Quillon.chm" ]
check "the upgrade keeps the player's Data.ini, games and pictures" [ "$(player_files)" = "$before" ]

echo "== uninstall"
wine "$app_win\\Uninstall.exe" /S >>"$out/install.log" 2>&1
# The uninstaller copies itself away and returns at once: wait for its work.
for _ in $(seq 1 300); do
  [ ! -e "$app/Uninstall.exe" ] && ! wine reg query "$uninstall_key" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
check "the uninstaller removed the program's files" \
  sh -c "! ls '$app/Quillon.exe' '$app/Quillon.chm' '$app/ReadMe.txt' '$app/Uninstall.exe' 2>/dev/null | grep -q ."
after=$(cd "$app" 2>/dev/null && find . -type f | sort | xargs -d '\n' md5sum)
check "exactly the player's files are left, unchanged" [ "$after" = "$before" ]
check "the Start-menu folder is gone" [ ! -d "$menu" ]
check "Add/Remove Programs no longer lists it" sh -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "the game file association is gone" \
  sh -c "! wine reg query 'HKCR\\qgf_auto_file\\shell\\open\\command' >/dev/null 2>&1"

echo "end-to-end: $failures failure(s)"
[ $failures -eq 0 ] || exit 1
# The prefix is kept only when something failed, to look into.
wineserver -k >/dev/null 2>&1 || true
rm -rf "$prefix" "$prefix.home" "$prefix.onz"
