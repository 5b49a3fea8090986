#!/usr/bin/env bash
# Draws faults at random places of the product, puts each in alone and runs
# the tests that link its file (see tools/draw_faults.py for the options).
# Uses the built trees and the test prefix of ./run-tests.sh: run that first.
#   tools/draw_faults.sh --seed 7
#   tools/draw_faults.sh --seed 7 --resume
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$QL_ROOT"
# Neither the draw nor the report needs Wine.
for arg in "$@"; do
  case $arg in --list|--report|-h|--help) exec /usr/bin/python3 tools/draw_faults.py "$@" ;; esac
done
[ -d build/x86_64 ] || { echo "Build first: ./run-tests.sh" >&2; exit 2; }
[ -f build/wineprefix-test/system.reg ] || rm -rf build/wineprefix-test
trap 'ql_stop_wine; ql_stop_display' EXIT
ql_start_display
ql_start_wine "$QL_ROOT/build/wineprefix-test" desktop
/usr/bin/python3 tools/draw_faults.py "$@"
