#!/usr/bin/env bash
# Builds Quillon Loader for i686 (the product) and x86_64, and runs every test
# under Wine in a private prefix on a display of its own.
#
#   ./run-tests.sh             everything, in a fresh test prefix
#   ./run-tests.sh -R REGEX    brings the built trees up to date and reruns the
#                              tests whose names match, in the existing prefix
#                              (made first when there is none)
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"
cd "$QL_ROOT"

filter=()
while [ $# -gt 0 ]; do
  case $1 in
    -R) [ $# -ge 2 ] || { echo "usage: $0 [-R REGEX]" >&2; exit 2; }
        filter=(-R "$2"); shift 2 ;;
    *) echo "usage: $0 [-R REGEX]" >&2; exit 2 ;;
  esac
done

ql_need_packages
mkdir -p build
# The product uses the win32-thread runtime (its toolchain file's default): the
# posix one pulls in GetTickCount64, which Windows XP and older lack.
ql_build i686 build/i686 -DQL_BUILD_TESTS=OFF
# Where the product's bytes go (the limit is 1.125 MiB).
[ ${#filter[@]} -eq 0 ] && sh tools/exe_size.sh build/i686/Quillon.exe
ql_build x86_64 build/x86_64 -DQL_PRODUCT_EXE="$QL_ROOT/build/i686/Quillon.exe" \
         -DQL_E2E_ARTEFACTS="$QL_ROOT/build/e2e"

if [ ${#filter[@]} -eq 0 ] || [ ! -f build/wineprefix-test/system.reg ]; then
  rm -rf build/wineprefix-test build/wineprefix-test.boot.log build/wineprefix-test.host
fi
trap 'ql_stop_wine; ql_stop_display' EXIT
ql_start_display
ql_start_wine "$QL_ROOT/build/wineprefix-test" desktop

# Nothing may land outside the prefix and the build folder: not in the host's
# trash (Wine's Recycle Bin), menus, icons or a default prefix.
marker=$(mktemp)
cd build/x86_64
# One test at a time: the tests share the prefix's registry.
status=0
ctest --output-on-failure --timeout 600 "${filter[@]}" || status=$?
left=$(find "$HOME/.local" "$HOME/.config" "$HOME/Desktop" "$HOME/.wine" -newer "$marker" 2>/dev/null | head -20 || true)
rm -f "$marker"
if [ -n "$left" ]; then
  echo "The tests left files outside their prefix and build folder:"
  echo "$left"
  status=1
fi
exit $status
