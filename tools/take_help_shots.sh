#!/usr/bin/env bash
# Takes the screenshots of the help file (help/images/*.png): the x86_64 build
# under Wine on a virtual display, on the demo library. Each window is shown by
# build/x86_64/help/help_shots.exe (tools/help_shots.cpp), which writes the
# window's rectangle; the screen is grabbed with `import -window root` and cut
# to that rectangle. To add a picture, add a line to SHOTS and let a page of
# help/html refer to images/NAME.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$QL_ROOT"

# NAME            WINDOW (help_shots.exe)  NEEDS THE PROGRAM RUNNING
SHOTS=(
  "main_window    find:Quillon Loader      yes"
  "add_game       add_game                 no"
  "text_input     text_input               no"
  "comment        comment                  no"
  "game_settings  game_settings            no"
  "dosbox_settings  dosbox_settings        no"
  "command_line   command_line             no"
  "manage_entries  manage_entries          no"
  "preferences    preferences              no"
  "vdmsound       vdmsound                 no"
  "about          about                    no"
  "locate_game    locate_game              no"
  "import         import                   no"
  "import_games   import_games             no"
)

ql_need_packages
mkdir -p build
ql_build x86_64 build/x86_64 >/dev/null
out="$QL_ROOT/help/images"
mkdir -p "$out"
work=$(mktemp -d)

ql_start_display
ql_start_wine "$QL_ROOT/build/wineprefix-shots" desktop
trap 'ql_stop_wine; ql_stop_display; rm -rf "$work"' EXIT

# The demo library, as run-demo.sh lays it out: the rows then show found games.
drive="$WINEPREFIX/drive_c"
app="$drive/Quillon Loader"
rm -rf "$app"
mkdir -p "$app/Games" "$app/Images"
cp build/x86_64/Quillon.exe demo/Data.ini "$app/"
# VDMSound's settings file in its own layout, for the VDMSound settings dialog.
printf '[SB Controller.config]\r\nversion=4.05\r\nport=0x220\r\nIRQ=7\r\nDMA8=1\r\nDMA16=5\r\n[AdLib Controller.config]\r\nport=0x388\r\nsampleRate=44100\r\n[MPU401 Controller.config]\r\nport=0x330\r\nIRQ=2\r\n' >"$app/VDMS.INI"
cp demo/Images/*.bmp "$app/Images/"
cp demo/Games/*.qgf "$app/Games/"
ql_put_demo_games "$drive" build/x86_64/demo
key='HKLM\Software\Freeware\QuillonLoader'
wine reg add "$key" /v FirstRun /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v Background /t REG_DWORD /d 2 /f >/dev/null 2>&1
wine reg add "$key" /v LastRun /d "Star Maze" /f >/dev/null 2>&1
# DOSBox configuration files for the import of other launchers' libraries.
games="$drive/DOSBox Games"
mkdir -p "$games"
printf '[sblaster]\r\nsbtype=sbpro2\r\nirq=5\r\n[autoexec]\r\nmount c "C:\\DemoGames"\r\nc:\r\ncd "SOUND CHECK"\r\nSOUNDCHK.COM /imported\r\n' >"$games/Sound Check.conf"
printf '[dosbox]\r\nmachine=vgaonly\r\n[autoexec]\r\nmount c C:\\DemoGames\\Rainbow\r\nc:\r\nRAINBOW\r\n' >"$games/Rainbow.conf"
printf '[autoexec]\r\nmount d "C:\\Games\\Wing"\r\nd:\r\nkeyb gr\r\nWC.EXE\r\n' >"$games/Wing Commander.conf"
cp build/x86_64/help/help_shots.exe "$work/"
# A DOSBox where its installer puts it, for the preferences (any program will do).
mkdir -p "$drive/Program Files/DOSBox-0.74-3"
cp build/x86_64/help/help_shots.exe "$drive/Program Files/DOSBox-0.74-3/DOSBox.exe"

for line in "${SHOTS[@]}"; do
  IFS='|' read -r name window needs <<<"$(echo "$line" | sed 's/  \+/|/g')"
  program=""
  # The old catalogue beside the program only for the import dialog: the
  # program itself would offer to import it at its start.
  if [ "$name" = import ]; then cp demo/Loader.ini "$app/"; else rm -f "$app/Loader.ini"; fi
  if [ "$needs" = yes ]; then
    wine "C:\\Quillon Loader\\Quillon.exe" >"$work/program.log" 2>&1 &
    program=$!
  fi
  rect="$work/$name.rect"
  wine "$work/help_shots.exe" "$window" "Z:${rect//\//\\}" "C:\\Quillon Loader" >"$work/$name.log" 2>&1 &
  helper=$!
  for _ in $(seq 150); do [ -s "$rect" ] && break; sleep 0.2; done
  if [ ! -s "$rect" ]; then
    echo "take_help_shots: no window for $name" >&2
    cat "$work/$name.log" >&2
    exit 1
  fi
  read -r x y w h <"$rect"
  import -window root "$work/$name.png"
  # Palette PNGs keep the help file small.
  convert "$work/$name.png" -crop "${w}x${h}+${x}+${y}" +repage -colors 256 "PNG8:$out/$name.png"
  rm -f "$rect"
  wait "$helper" || true
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 </dev/null || true
  fi
  echo "help/images/$name.png: ${w}x${h}"
done
