# Shared shell functions of scripts/setup, scripts/run, scripts/test and tests/e2e/run.sh.
# Sourced, never executed. Everything started here is recorded by pid and stopped by cv_cleanup.

CV_ROOT=${CV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
CV_WINE=/usr/lib/wine/wine64
CV_WINESERVER=/usr/lib/wine/wineserver
[ -x "$CV_WINESERVER" ] || CV_WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# Wine's diagnostics would bury the test output; the first start of a prefix must not offer to
# download the .NET and HTML engines.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# Wine converts command-line arguments and file names through the Unix code page.
export LC_ALL=C.UTF-8

CV_PIDS=()

cv_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
cv_die() { cv_log "error: $*"; exit 1; }

# Debian packages the build, the program and the tests need, with a file each one provides
# (checking files is much faster than asking dpkg for every package).
CV_PACKAGES=(
  "cmake:/usr/bin/cmake"
  "make:/usr/bin/make"
  "g++:/usr/bin/g++"
  "g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix"
  "binutils-mingw-w64-x86-64:/usr/bin/x86_64-w64-mingw32-windres"
  "googletest:/usr/src/googletest/CMakeLists.txt"
  "libgtest-dev:/usr/lib/x86_64-linux-gnu/cmake/GTest/GTestConfig.cmake"
  "wine64:/usr/lib/wine/wine64"
  "wine:/usr/bin/wine"
  "xvfb:/usr/bin/Xvfb"
  "xauth:/usr/bin/xauth"
  "xdotool:/usr/bin/xdotool"
  "imagemagick:/usr/bin/compare"
  "fonts-wqy-zenhei:/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
  "x11-utils:/usr/bin/xdpyinfo"
  "procps:/usr/bin/pgrep"
)

cv_install_packages() {
  local missing=() entry pkg file
  for entry in "${CV_PACKAGES[@]}"; do
    pkg=${entry%%:*}; file=${entry#*:}
    [ -e "$file" ] || missing+=("$pkg")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    cv_log "setup: all packages present"
    return 0
  fi
  cv_log "setup: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  for entry in "${CV_PACKAGES[@]}"; do
    [ -e "${entry#*:}" ] || cv_die "setup: ${entry%%:*} did not provide ${entry#*:}"
  done
}

# Hex bytes of a REG_MULTI_SZ value (one string) as regedit writes them: UTF-16LE plus two terminators.
cv_reg_multi_sz() {
  printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',' | sed -e 's/^,//' -e 's/,$//' -e 's/$/,00,00,00,00/'
}

# Creates a fresh Wine prefix in $1 with Chinese glyphs linked into the dialog fonts; with a DPI in $2,
# a scaled desktop of that DPI (as a user sets it: 120 for 125 %, 144 for 150 %, 192 for 200 %).
# Needs DISPLAY only to keep Wine quiet; works without.
cv_make_prefix() {
  local prefix=$1 dpi=${2:-}
  mkdir -p "$prefix"
  export WINEPREFIX=$prefix
  WINEDLLOVERRIDES="mscoree,mshtml=" "$CV_WINE" wineboot -i >/dev/null 2>&1 ||
    cv_die "wineboot -i failed for $prefix"
  local link; link=$(cv_reg_multi_sz 'wqy-zenhei.ttc,WenQuanYi Zen Hei')
  local reg=$prefix/corvane-fonts.reg face
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
      printf '"%s"=hex(7):%s\r\n' "$face" "$link"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"新宋体"="WenQuanYi Zen Hei"\r\n'
    printf '"NSimSun"="WenQuanYi Zen Hei"\r\n'
  } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  "$CV_WINE" regedit /S "$(cv_winpath "$reg")" >/dev/null 2>&1 || cv_die "regedit failed"
  if [ -n "$dpi" ]; then
    "$CV_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
      cv_die "cannot set the prefix's DPI to $dpi"
  fi
  touch "$prefix/.corvane-ready"
}

# Whether Wine hands its windows to a window manager (yes|no). Without a window manager, Wine waits up
# to two seconds for one whenever a managed window goes away; the dialog tests, which make and destroy
# many windows, run unmanaged. The end-to-end scenarios keep the default, as on a user's desktop.
cv_wine_managed() {
  if [ "$1" = no ]; then
    "$CV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    "$CV_WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
}

# Unix path -> Wine path on drive Z: (the whole Unix file system).
cv_winpath() {
  local p; p=$(realpath -m "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# Starts a private Xvfb (a free display number chosen by the server itself) and exports DISPLAY.
# Screen 0 is the desktop Wine uses; screen 1, 16 x 16, is a parking place for the pointer, so that a
# program can start and be looked at with no pointer over it (a window that appears under the pointer
# gets a mouse move, which starts the hover outline).
cv_start_xvfb() {
  local geometry=${1:-1280x800x24} fifo dir
  dir=$(mktemp -d)
  fifo=$dir/displayfd
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$geometry" -screen 1 16x16x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  CV_XVFB_PID=$!
  CV_PIDS+=("$CV_XVFB_PID")
  local num=""
  read -r -t 20 num <"$fifo" || true
  rm -rf "$dir"
  [ -n "$num" ] || cv_die "Xvfb did not start"
  export DISPLAY=":$num"
  local i
  for i in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  cv_log "Xvfb $geometry on $DISPLAY (pid $CV_XVFB_PID)"
}

cv_park_pointer() { xdotool mousemove --screen 1 8 8; }

# One persistent Wine server for the whole run: every later Wine process then starts in ~0.3 s and
# clipboard contents outlive the program that set them.
cv_start_wineserver() {
  mkdir -p "$WINEPREFIX"
  "$CV_WINESERVER" -f -p &
  CV_WINESERVER_PID=$!
  CV_PIDS+=("$CV_WINESERVER_PID")
  sleep 0.2
}

cv_stop_wineserver() {
  [ -z "${WINEPREFIX:-}" ] || "$CV_WINESERVER" -k >/dev/null 2>&1 || true
  local pid=${CV_WINESERVER_PID:-} i
  [ -n "$pid" ] || return 0
  # -k ends the prefix's programs; a persistent server may stay, so it is stopped by its pid.
  for i in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  CV_WINESERVER_PID=""
}

# Runs CMD when the script ends, also when it is interrupted or terminated.
cv_on_exit() {
  trap "$1" EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Stops every process recorded in CV_PIDS (and its process group when it leads one), by pid.
cv_cleanup() {
  cv_stop_wineserver
  local pid
  for pid in "${CV_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${CV_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  CV_PIDS=()
}

# Configures and builds one preset; the full log goes to build/<preset>.log, shown when it fails.
cv_configure_build() {
  local preset=$1 log=$CV_ROOT/build/$1.log
  mkdir -p "$CV_ROOT/build"
  if ! (cd "$CV_ROOT" && cmake --preset "$preset" && cmake --build --preset "$preset") >"$log" 2>&1; then
    tail -n 80 "$log" >&2
    cv_log "build of '$preset' failed (full log: $log)"
    return 1
  fi
  cv_log "built '$preset'"
}
