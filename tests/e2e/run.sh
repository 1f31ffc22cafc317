#!/usr/bin/env bash
# End-to-end scenarios: the real corvane.exe under Wine on Xvfb, driven through real X input (xdotool),
# checked against the known desktop that the pattern helper draws and writes from the same function.
#
#   tests/e2e/run.sh                 run every scenario
#   tests/e2e/run.sh NAME...         run the named scenarios
#   tests/e2e/run.sh --list          list them
#
# Alone it starts its own Xvfb, Wine prefix and Wine server (with CV_E2E_DPI=144, a prefix at that DPI).
# scripts/test runs it inside its own environment instead (CV_E2E_ENV_READY=1 with DISPLAY and
# WINEPREFIX set and a server kept alive).
# Screenshots and logs of each scenario stay under build/e2e/<scenario>/ for inspection.
set -euo pipefail
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/lib/common.sh"

BUILD=${CV_BUILD_DIR:-$CV_ROOT/build/win}
CORVANE=${CV_CORVANE_EXE:-$BUILD/corvane.exe}
WORK=${CV_E2E_WORK:-$CV_ROOT/build/e2e}
SCENARIOS=()
declare -A ABOUT=()

# ---------------------------------------------------------------------------------------------------
# Steps the scenarios are written in. They run inside a subshell with set -e, so a failed check ends
# the scenario; SC is the scenario's folder and SC_PIDS the processes it started.

fail() { echo "    FAIL: $*" >&2; exit 1; }
note() { echo "    $*" >&2; }

helper() { local name=$1; shift; "$CV_WINE" "$BUILD/$name.exe" "$@"; }

# Runs a helper's wait that should end without finding what it waits for: passes on its "not found"
# (exit code 1); fails with WHAT when it found it (0), and also when the helper itself failed (any other
# code: bad usage, a crash, a Wine that did not start), which is no evidence of absence.
expect_not_found() {
  local what=$1 rc=0; shift
  helper "$@" >/dev/null || rc=$?
  [ "$rc" -ne 0 ] || fail "$what"
  [ "$rc" -eq 1 ] || fail "helper $* failed (exit code $rc)"
}

# Waits until FILE has a line matching RE (a helper reports readiness on stdout).
wait_line() {
  local file=$1 re=$2 tries=$(( ${3:-15} * 10 ))
  while [ "$tries" -gt 0 ]; do
    grep -q "$re" "$file" 2>/dev/null && return 0
    sleep 0.1; tries=$((tries - 1))
  done
  return 1
}

# The known desktop: a full-screen window painted with the pattern.
start_pattern() {
  helper pattern show >"$SC/pattern.log" 2>&1 &
  PATTERN_PID=$!; SC_PIDS+=("$PATTERN_PID")
  wait_line "$SC/pattern.log" '^shown' || fail "pattern window did not show"
}

stop_pattern() {
  kill "$PATTERN_PID" 2>/dev/null || true
  wait "$PATTERN_PID" 2>/dev/null || true
}

# A small plain window: box X Y W H RRGGBB.
start_box() {
  helper pattern box "$@" >"$SC/box.log" 2>&1 &
  SC_PIDS+=("$!")
  wait_line "$SC/box.log" '^shown' || fail "box window did not show"
}

# Starts corvane.exe in an empty working folder and waits until its window covers the screen.
# The pointer waits on the parking screen: a move over the capture starts the hover outline.
# With CV_FILE_LIMIT_KB set the program can write no file longer than that many KB, as on a full
# disk: a longer write stops short and fails (the signal the kernel sends for it is ignored).
# CV_CORVANE_ENV holds NAME=VALUE words set for the program alone.
start_corvane() {
  cv_park_pointer
  mkdir -p "$SC/cwd"
  (
    cd "$SC/cwd"
    if [ -n "${CV_FILE_LIMIT_KB:-}" ]; then trap '' XFSZ; ulimit -f "$CV_FILE_LIMIT_KB"; fi
    exec env ${CV_CORVANE_ENV:-} "$CV_WINE" "$CORVANE"
  ) >"$SC/corvane.log" 2>&1 &
  CORVANE_PID=$!; SC_PIDS+=("$CORVANE_PID")
  local out
  out=$(helper sendmsg wait-capture 20000) || fail "no capture window covering the screen within 20 s ($out)"
  [ "$out" = "capture: present 0 0 $SCREEN_W $SCREEN_H" ] || fail "capture window: '$out'"
  note "$out"
}

# Waits up to SECONDS for corvane.exe to end and sets EXIT_CODE; fails if it does not end.
wait_exit() {
  local tries=$(( ${1:-10} * 10 ))
  while kill -0 "$CORVANE_PID" 2>/dev/null && [ "$tries" -gt 0 ]; do
    sleep 0.1; tries=$((tries - 1))
  done
  kill -0 "$CORVANE_PID" 2>/dev/null && fail "corvane.exe still running after ${1:-10} s"
  EXIT_CODE=0
  wait "$CORVANE_PID" || EXIT_CODE=$?
  note "corvane.exe exit code $EXIT_CODE"
}

expect_exit() {
  wait_exit 10
  [ "$EXIT_CODE" -eq "$1" ] || fail "exit code $EXIT_CODE, expected $1"
}

screenshot() { import -window root "$SC/$1.png"; }

# Brings the pointer onto the desktop, at its bottom-right pixel; without a window manager the
# keyboard goes to the window under the pointer.
pointer_to_corner() { xdotool mousemove --screen 0 "$((SCREEN_W - 1))" "$((SCREEN_H - 1))"; sleep 0.2; }

# Raises the X window of the capture (the one of the program's X class that covers the screen).
raise_capture() {
  local w size cls; cls=$(basename "$CORVANE")
  for w in $(xdotool search --class "^${cls//./\\.}\$" 2>/dev/null); do
    size=$(xwininfo -id "$w" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    if [ "$size" = "${SCREEN_W}x${SCREEN_H}" ]; then
      xdotool windowraise "$w"
      return 0
    fi
  done
  fail "no X window of $cls covers the screen"
}

# Number of pixels of screenshot NAME that differ from the reference picture.
diff_pixels() {
  compare -metric AE "$SC/$1.png" "$REFERENCE" "$SC/$1-diff.png" 2>&1 >/dev/null | sed 's/ .*//' || true
}

# Takes screenshots until one equals the reference (painting may lag the window's appearance).
expect_screen_is_reference() {
  local name=$1 tries=$(( ${2:-5} * 4 )) n=""
  while :; do
    screenshot "$name"
    n=$(diff_pixels "$name")
    [ "$n" = "0" ] && { note "$name.png equals the known desktop"; return 0; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || break
    sleep 0.25
  done
  fail "$name.png differs from the known desktop in $n pixels (see $SC/$name-diff.png)"
}

# The clipboard holds a marker text put there before the start; a capture that produced no output
# leaves it untouched.
mark_clipboard() { helper clipboard set-text "corvane-e2e-marker" || fail "cannot seed the clipboard"; }
expect_no_output() {
  local clip; clip=$(helper clipboard show | tr -d '\r')
  [ "$clip" = $'text: corvane-e2e-marker\nbitmap: no' ] || fail "clipboard changed: $clip"
  [ -z "$(ls -A "$SC/cwd")" ] || fail "files written: $(ls -A "$SC/cwd")"
}

expect_capture_gone() {
  helper sendmsg wait-gone 3000 >/dev/null || fail "capture window still present"
}

# ---------------------------------------------------------------------------------------------------
# Scenarios, one file per part of the program; each file adds its names to SCENARIOS and ABOUT. Each
# scenario starts from an empty screen and an empty folder.
for scenarios in "$CV_ROOT"/tests/e2e/scenarios/*.sh; do
  # shellcheck source=/dev/null
  source "$scenarios"
done

# ---------------------------------------------------------------------------------------------------

run_scenario() {
  local name=$1
  SC=$WORK/$name
  rm -rf "$SC"; mkdir -p "$SC"
  (
    set -e
    SC_PIDS=()
    # Whatever the scenario left running is stopped by pid, so the next one starts clean.
    trap 'for p in "${SC_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
          for p in "${SC_PIDS[@]}"; do wait "$p" 2>/dev/null || true; done' EXIT
    "scenario_$name"
  )
}

main() {
  if [ "${1:-}" = "--list" ]; then
    local s; for s in "${SCENARIOS[@]}"; do printf '%-34s %s\n' "$s" "${ABOUT[$s]}"; done
    return 0
  fi
  local selected=("$@")
  [ ${#selected[@]} -gt 0 ] || selected=("${SCENARIOS[@]}")
  local s
  for s in "${selected[@]}"; do
    [ -n "${ABOUT[$s]:-}" ] || cv_die "unknown scenario '$s' (see --list)"
  done
  [ -x "$CORVANE" ] || [ -f "$CORVANE" ] || cv_die "$CORVANE not built"
  local h; for h in pattern sendmsg clipboard dialogs; do [ -f "$BUILD/$h.exe" ] || cv_die "$BUILD/$h.exe not built"; done

  if [ -z "${CV_E2E_ENV_READY:-}" ]; then
    cv_on_exit 'cv_cleanup; [ -z "${OWN_PREFIX:-}" ] || rm -rf "$OWN_PREFIX"'
    cv_start_xvfb 1280x800x24
    mkdir -p "$CV_ROOT/build"
    OWN_PREFIX=$(mktemp -d "$CV_ROOT/build/wineprefix-e2e.XXXXXX")
    export WINEPREFIX=$OWN_PREFIX
    cv_start_wineserver
    cv_make_prefix "$WINEPREFIX" "${CV_E2E_DPI:-}"
  fi
  read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
  mkdir -p "$WORK"
  REFERENCE=$WORK/known-desktop.bmp
  helper pattern reference "$(cv_winpath "$REFERENCE")" || cv_die "cannot write the reference picture"

  local passed=0 failed=0 failures=() t0 rc
  for s in "${selected[@]}"; do
    echo "e2e $s: ${ABOUT[$s]}"
    t0=$SECONDS
    # Called as a plain command, not in a condition: errexit must stay in force inside the scenario.
    set +e; run_scenario "$s"; rc=$?; set -e
    if [ "$rc" -eq 0 ]; then
      passed=$((passed + 1)); echo "  ok   $s ($((SECONDS - t0)) s)"
    else
      failed=$((failed + 1)); failures+=("$s"); echo "  FAIL $s ($((SECONDS - t0)) s)"
    fi
  done
  [ "$failed" -eq 0 ] || echo "e2e failures: ${failures[*]}"
  echo "e2e: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
