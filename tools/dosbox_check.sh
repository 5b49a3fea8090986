#!/usr/bin/env bash
# Runs the [autoexec] sections that the program writes in the host's DOSBox
# (Debian's dosbox, 0.74-3 here) and checks what the DOS programs saw: odd
# program and folder names, long folders, a folder on Z:, a player's own mount
# of C:, CD-ROM images and drives, the failures that keep DOSBox open with their
# line, and the CPU slow-down (loops per second at off, 0%, 50% and 100%: off
# and 0% alike, each step slower).
#
# build/x86_64/tests/dosbox_sections.exe (tools/dosbox_sections.cpp) writes the
# scenarios under Wine, with the host's paths; each runs here with SDL's dummy
# drivers. A section that keeps DOSBox open is followed by tail.conf, whose
# REPORT.COM /SCREEN writes the screen into a file.
#
#   tools/dosbox_check.sh            exit status 0 when every scenario passed
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$QL_ROOT"

ql_need_packages
mkdir -p build
ql_build x86_64 build/x86_64 >/dev/null

home=$(mktemp -d)
ql_start_wine "$QL_ROOT/build/wineprefix-dosboxcheck"
trap 'ql_stop_wine; rm -rf "$home"' EXIT
work="$WINEPREFIX/drive_c/QLCHECK"
rm -rf "$work"
mkdir -p "$work/CDFILES"
ln -sfn "$work/CDFILES" "$WINEPREFIX/dosdevices/e:"
wine build/x86_64/tests/dosbox_sections.exe "Z:$(echo "$QL_ROOT/build/x86_64/demo" | tr / '\\')" </dev/null
genisoimage -quiet -V DISC1 -o "$work/ISO/DISC1.ISO" "$work/DISC1"
genisoimage -quiet -V DISC2 -o "$work/ISO/DISC 2.ISO" "$work/DISC2"

# The number in "... N loops per second" of a scenario's marker.
declare -A loops
failed=0
while IFS=$'\t' read -r name kind file expected; do
  rm -f "$file"
  confs=()
  [ -f "$work/$name.before.conf" ] && confs+=(-conf "$work/$name.before.conf")
  confs+=(-conf "$work/$name.conf")
  [ "$kind" = screen ] && confs+=(-conf "$work/tail.conf")
  HOME="$home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -k 5 120 dosbox "${confs[@]}" \
    >"$work/$name.log" 2>&1 </dev/null || true
  # The screen's rows run on into each other, as a long line does.
  seen=$(tr -d '\r\n' <"$file" 2>/dev/null || true)
  result=ok
  IFS=$'\t' read -r -a texts <<<"$expected"
  for text in "${texts[@]}"; do
    [[ "$seen" == *"$text"* ]] || result="missing: $text"
  done
  if [[ $name == speed_* ]]; then
    loops[$name]=$(grep -ao '[0-9]* loops per second' "$file" | head -1 | cut -d' ' -f1)
    result="$result (${loops[$name]:-?} loops per second)"
  fi
  echo "$name: $result"
  [[ $result == ok* ]] || failed=1
done <"$work/scenarios.txt"

# Off and 0% alike (the same section: within 2% for a real-mode game, whose
# speed is fixed; a protected-mode one runs as fast as the host lets it), then
# each step slower.
for mode in "" _pm; do
  off=${loops[speed_off$mode]:-0} zero=${loops[speed_0$mode]:-0}
  half=${loops[speed_50$mode]:-0} full=${loops[speed_100$mode]:-0}
  echo "slow-down${mode:+, protected mode}: loops per second off $off, 0% $zero, 50% $half, 100% $full"
  if [ "$off" -eq 0 ] || [ "$half" -ge "$zero" ] || [ "$full" -ge "$half" ] ||
     { [ -z "$mode" ] && [ $((zero * 50 - off * 49)) -lt 0 -o $((zero * 50 - off * 51)) -gt 0 ]; }; then
    echo "  not off = 0% > 50% > 100%"
    failed=1
  fi
done
exit $failed
