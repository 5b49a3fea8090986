# Shared by run-demo.sh and run-tests.sh: installs what is missing, builds, and
# manages a private Wine prefix and display.

QL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QL_JOBS=$(nproc 2>/dev/null || echo 2)

ql_need_packages() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(mingw-w64)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(mingw-w64)
  command -v wine >/dev/null || missing+=(wine wine64)
  command -v Xvfb >/dev/null || missing+=(xvfb xauth)
  command -v import >/dev/null || missing+=(imagemagick)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  command -v make >/dev/null || missing+=(make)
  command -v chmcmd >/dev/null || missing+=(fp-utils)
  command -v makensis >/dev/null || missing+=(nsis)
  command -v zip >/dev/null || missing+=(zip)
  [ -x /usr/bin/python3 ] || missing+=(python3)
  command -v nasm >/dev/null || missing+=(nasm)
  command -v dosbox >/dev/null || missing+=(dosbox)
  command -v genisoimage >/dev/null || missing+=(genisoimage)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
}

# ql_build ARCH DIR [cmake options...]
ql_build() {
  local arch=$1 dir=$2
  shift 2
  local launcher=()
  # A compiler cache, where one is installed, makes rebuilds of other trees cheap.
  export CCACHE_BASEDIR="$QL_ROOT" CCACHE_NOHASHDIR=1
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$QL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$QL_ROOT/cmake/mingw-$arch.cmake" "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$QL_JOBS"
}

# ql_put_demo_games DRIVE_C FOLDER: the demo games that the sample game files
# point at, C:\DemoGames\<folder>\<NAME>.EXE, from the built demo programs in
# FOLDER, and the real DOS games assembled there (RAINBOW.COM, SOUNDCHK.COM, and
# BLASTPRO.COM and ULTRACHK.COM with their sound setup files from demo/dos-src).
ql_put_demo_games() {
  local game exe dir
  for game in starmaze:StarMaze caverun:CaveRun pinball:Pinball tankduel:TankDuel; do
    exe=${game%%:*}
    dir="$1/DemoGames/${game##*:}"
    mkdir -p "$dir"
    cp "$2/$exe.exe" "$dir/$(echo "$exe" | tr a-z A-Z).EXE"
    printf 'A demo game of Quillon Loader.\r\nIt shows the arguments it was started with.\r\n' >"$dir/README.TXT"
  done
  mkdir -p "$1/DemoGames/Rainbow" "$1/DemoGames/Sound Check"
  cp "$2/RAINBOW.COM" "$1/DemoGames/Rainbow/"
  cp "$2/SOUNDCHK.COM" "$1/DemoGames/Sound Check/"
  for game in blastpro:BlastPro ultrachk:UltraChk; do
    dir="$1/DemoGames/${game##*:}"
    mkdir -p "$dir"
    cp "$2/$(echo "${game%%:*}" | tr a-z A-Z).COM" "$QL_ROOT/demo/dos-src/${game%%:*}"/* "$dir/"
  done
}

# ql_start_wine PREFIX [desktop]: a private prefix, its services started once
# with their output going to a file (they keep the descriptors they inherit).
# "desktop" puts every window into one virtual desktop (for displays without a
# window manager, where Wine otherwise waits two seconds for each closed window).
ql_start_wine() {
  export WINEPREFIX=$1
  local desktop=${2:-}
  export WINEDEBUG=-all
  # No menu entries or icons for the host's desktop.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # The Recycle Bin is the host's trash under $XDG_DATA_HOME: keep it, and
  # anything else Wine gives the host, beside the prefix.
  export XDG_DATA_HOME="$WINEPREFIX.host/data" XDG_CONFIG_HOME="$WINEPREFIX.host/config"
  mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
  # A persistent server first: the background services that the first wine
  # call starts then inherit this file, not the caller's pipes.
  wineserver -p >"$WINEPREFIX.server.log" 2>&1 </dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >"$WINEPREFIX.boot.log" 2>&1 </dev/null
  fi
  if [ -n "$desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$WINEPREFIX.boot.log" 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$WINEPREFIX.boot.log" 2>&1 </dev/null
    # A crashing test ends at once instead of waiting in the crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$WINEPREFIX.boot.log" 2>&1 </dev/null
    # The desktop is chosen when the services start: start them again.
    wineserver -k >/dev/null 2>&1 </dev/null || true
    wineserver -p >>"$WINEPREFIX.server.log" 2>&1 </dev/null || true
    wineboot >>"$WINEPREFIX.boot.log" 2>&1 </dev/null || true
  fi
}

ql_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

# ql_start_display: an Xvfb display of our own unless one is given.
QL_XVFB_PID=""
ql_start_display() {
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    QL_XVFB_PID=$!
    export DISPLAY=":$n"
    # Up when its socket is there; gone when another server took the number first.
    local tries
    for tries in $(seq 50); do
      kill -0 "$QL_XVFB_PID" 2>/dev/null || break
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      sleep 0.2
    done
    kill "$QL_XVFB_PID" 2>/dev/null || true
    QL_XVFB_PID=""
  done
  echo "Xvfb did not come up on any display from :91 to :120" >&2
  return 1
}

ql_stop_display() {
  [ -n "$QL_XVFB_PID" ] && kill "$QL_XVFB_PID" 2>/dev/null || true
}
