#!/usr/bin/env bash
# Puts each one-line fault of a list into the product, one at a time, and
# reports which test catches it (see tools/try_faults.py for the list's form).
# Uses the built trees and the test prefix of ./run-tests.sh: run that first.
#   tools/try_faults.sh tools/faults/*.txt
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$QL_ROOT"
[ -d build/x86_64 ] || { echo "Build first: ./run-tests.sh" >&2; exit 2; }
[ -f build/wineprefix-test/system.reg ] || rm -rf build/wineprefix-test
trap 'ql_stop_wine; ql_stop_display' EXIT
ql_start_display
ql_start_wine "$QL_ROOT/build/wineprefix-test" desktop
/usr/bin/python3 tools/try_faults.py "$@"
