# Scenarios of the search for a region: the outline of the window under the real pointer, the click
# that takes a window's rectangle, and the magnifier beside the pointer.
# Sourced by tests/e2e/run.sh, which provides the steps they are written in.
#
# They run over the layout desktop of `pattern.exe desktop` (tests/e2e/helpers/pattern.cpp), in desktop
# coordinates on the 1280 x 800 screen:
#   panel            (120,100)-(600,460), with the controls
#     red control    (160,140)-(320,240), plain red
#     control        (360,160)-(560,310)
#     upper control  (500,280)-(580,400), above the control where they overlap
#       grandchild   (510,350)-(560,390)
#   window           (700,200)-(1100,500)
#   upper window     (1000,400)-(1200,600), above the window where they overlap
#   no-activate      (700,560)-(900,680), WS_EX_NOACTIVATE: never a candidate
#   5 px wide        (950,650)-(955,750): too thin to be a candidate
#   6 px wide        (970,650)-(976,750)
#   past the corner  (1180,700)-(1380,900), reaching past the bottom-right corner
#   past the left    (-20,560)-(80,660)
# Everywhere else the full-screen pattern window, which is never a candidate, so the desktop is found:
# (0,0)-(1280,800) kept inside the screen as (1,0)-(1280,799).

SCENARIOS+=(hover_outlines_window hover_prefers_inner_windows hover_skips_and_clamps
            click_picks_child_control magnifier_follows_and_flips)
ABOUT+=(
  [hover_outlines_window]="the window under the pointer is outlined, the rest dimmed; the outline follows the pointer"
  [hover_prefers_inner_windows]="a control wins over its window, the upper of two overlapping windows over the lower"
  [hover_skips_and_clamps]="thin, no-activate and full-screen windows are passed over; rectangles stay on screen"
  [click_picks_child_control]="a click takes a control's rectangle; a double-click copies its inside to the clipboard"
  [magnifier_follows_and_flips]="the magnifier shows the pixels around the pointer two times, flips at the edges, hides at a press"
)

DET_DESKTOP_RECT=(1 0 1280 799)

det_start_layout_desktop() {
  helper pattern desktop >"$SC/desktop.log" 2>&1 &
  SC_PIDS+=("$!")
  wait_line "$SC/desktop.log" '^shown layout' || fail "layout desktop did not show: $(cat "$SC/desktop.log")"
}

# The magnifier's rectangle (left top right bottom) with the pointer at X Y: 150 x 200 at the pointer
# plus 20, on the other side of the pointer where it would pass the right or bottom edge.
det_magnifier_rect() {
  local x=$1 y=$2 l t
  if [ $((x + 150)) -gt "$SCREEN_W" ]; then l=$((x - 170)); else l=$((x + 20)); fi
  if [ $((y + 200)) -gt "$SCREEN_H" ]; then t=$((y - 220)); else t=$((y + 20)); fi
  echo "$l $t $((l + 150)) $((t + 200))"
}

# Moves the pointer to X,Y as a hand does, in steps of at most 10 pixels a few milliseconds apart. A
# jump could land on the magnifier, which sits 20 pixels right of and below the last point the capture
# saw; the moves would then go to the magnifier instead of the capture. (From the parking screen the
# pointer jumps: nothing of the capture is under it yet.)
det_point_at() {
  local x=$1 y=$2 X=0 Y=0 SCREEN=0 WINDOW=0
  eval "$(xdotool getmouselocation --shell)"
  if [ "$SCREEN" != 0 ]; then
    xdotool mousemove --screen 0 "$x" "$y"
    return
  fi
  local dx=$((x - X)) dy=$((y - Y)) n i args=()
  n=$(( (${dx#-} > ${dy#-} ? ${dx#-} : ${dy#-}) / 10 + 1 ))
  for ((i = 1; i <= n; i++)); do
    args+=(mousemove --screen 0 $((X + dx * i / n)) $((Y + dy * i / n)) sleep 0.015)
  done
  xdotool "${args[@]}"
}

# Number of pixels by which screenshot NAME differs from the picture EXPECTED, both with the rectangle
# MASK (l t r b, or empty) and the pixels POINTS ("x,y ...") painted over: what lies there is checked
# elsewhere or not at all.
det_diff_masked() {
  local name=$1 expected=$2 mask=$3 points=$4 draw=(-fill black) p
  if [ -n "$mask" ]; then
    local l t r b; read -r l t r b <<<"$mask"
    draw+=(-draw "rectangle $l,$t $((r - 1)),$((b - 1))")
  fi
  for p in $points; do draw+=(-draw "point $p"); done
  convert "$SC/$name.png" "${draw[@]}" "$SC/$name-masked.png"
  convert "$expected" "${draw[@]}" "$SC/$name-expected.png"
  compare -metric AE "$SC/$name-masked.png" "$SC/$name-expected.png" "$SC/$name-diff.png" 2>&1 >/dev/null |
    sed 's/ .*//' || true
}

# det_expect_outline NAME X Y L T R B [nomask]: with the pointer at X,Y the screen shows the layout desktop
# outlined at (L,T)-(R,B) and dimmed outside it. The magnifier's place is left out unless "nomask" is
# given (after a press, when it must be gone).
det_expect_outline() {
  local name=$1 x=$2 y=$3 l=$4 t=$5 r=$6 b=$7 nomask=${8:-}
  local expected=$SC/$name-want.bmp mask="" n="" tries=12
  helper pattern expect "$(cv_winpath "$expected")" "$l" "$t" "$r" "$b" || fail "cannot write $expected"
  [ -n "$nomask" ] || mask=$(det_magnifier_rect "$x" "$y")
  # The outermost corner pixel of each corner of the 3-pixel pen depends on how the platform rounds the
  # pen's joins; it is not checked.
  local corners="$((l - 1)),$((t - 1)) $r,$((t - 1)) $((l - 1)),$b $r,$b"
  while :; do
    screenshot "$name"
    n=$(det_diff_masked "$name" "$expected" "$mask" "$corners")
    [ "$n" = "0" ] && { note "$name: outline at ($l,$t)-($r,$b)"; return 0; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || break
    sleep 0.25
  done
  fail "$name: pointer at $x,$y, outline ($l,$t)-($r,$b) expected; $n pixels differ (see $SC/$name-diff.png)"
}

# det_hover NAME X Y L T R B: moves the real pointer to X,Y and expects the outline at (L,T)-(R,B).
det_hover() {
  det_point_at "$2" "$3"
  det_expect_outline "$@"
}

# det_expect_magnifier NAME X Y: the magnifier for the pointer at X,Y, checked pixel for pixel by the
# helper against the layout desktop.
det_expect_magnifier() {
  local name=$1 x=$2 y=$3 out="" tries=12
  while :; do
    screenshot "$name"
    convert "$SC/$name.png" "BMP3:$SC/$name.bmp"
    out=$(helper pattern check-magnifier "$(cv_winpath "$SC/$name.bmp")" "$x" "$y") && {
      note "$name: $out"; return 0; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || break
    sleep 0.25
  done
  fail "$name: $out"
}

det_magnify() {
  det_point_at "$2" "$3"
  det_expect_magnifier "$@"
}

scenario_hover_outlines_window() {
  det_start_layout_desktop
  start_corvane
  det_hover on-pattern      60  60  "${DET_DESKTOP_RECT[@]}"
  det_hover on-window      800 300  700 200 1100 500
  det_hover on-red         240 190  160 140  320 240
  # The right edge of a rectangle is outside it: one pixel right of the red control is the panel.
  det_hover right-of-red   320 190  120 100  600 460
  det_hover on-red-again   319 190  160 140  320 240
  det_hover back-on-window 900 450  700 200 1100 500
  helper sendmsg close >/dev/null
  expect_exit 0
}

scenario_hover_prefers_inner_windows() {
  det_start_layout_desktop
  start_corvane
  det_hover on-control     400 200  360 160 560 310
  det_hover on-overlap     530 295  500 280 580 400
  det_hover on-upper       540 330  500 280 580 400
  det_hover on-grandchild  530 370  510 350 560 390
  det_hover windows-overlap 1050 450 1000 400 1200 600
  det_hover on-lower-window 1050 350  700 200 1100 500
  helper sendmsg close >/dev/null
  expect_exit 0
}

scenario_hover_skips_and_clamps() {
  det_start_layout_desktop
  start_corvane
  det_hover on-no-activate  800 600  "${DET_DESKTOP_RECT[@]}"
  det_hover on-5px          952 700  "${DET_DESKTOP_RECT[@]}"
  det_hover on-6px          972 700  970 650 976 750
  # Past the bottom-right corner: right and bottom end one pixel inside the screen.
  det_hover past-corner    1230 750 1180 700 1279 799
  # Past the left edge: the left side ends one pixel inside.
  det_hover past-left        30 600    1 560  80 660
  det_hover screen-corner     0   0  "${DET_DESKTOP_RECT[@]}"
  helper sendmsg close >/dev/null
  expect_exit 0
}

# det_pick_and_copy NAME X Y L T R B: a click at X,Y takes (L,T)-(R,B) as the selection; a double-click
# inside it copies the selection without its 2-pixel left and top and 3-pixel right and bottom bands.
det_pick_and_copy() {
  local name=$1 x=$2 y=$3 l=$4 t=$5 r=$6 b=$7
  mark_clipboard
  start_corvane
  det_point_at "$x" "$y"
  sleep 0.3
  xdotool click 1
  # The press hides the magnifier; with no window manager on the display, Wine waits two seconds for
  # one to confirm the window is gone before the capture takes the release.
  sleep 2.5
  screenshot "$name-picked"
  xdotool click --repeat 2 --delay 80 1
  expect_exit 0
  expect_capture_gone
  helper clipboard save-bmp "$(cv_winpath "$SC/$name-result.bmp")" || fail "$name: no bitmap on the clipboard"
  local w=$((r - l - 5)) h=$((b - t - 5)) size
  size=$(identify -format '%wx%h' "$SC/$name-result.bmp")
  [ "$size" = "${w}x${h}" ] || fail "$name: copied image is $size, expected ${w}x${h}"
  helper pattern expect "$(cv_winpath "$SC/desktop.bmp")" || fail "cannot write the desktop picture"
  convert "$SC/desktop.bmp" -crop "${w}x${h}+$((l + 2))+$((t + 2))" +repage "$SC/$name-want.png"
  local n
  n=$(compare -metric AE "$SC/$name-result.bmp" "$SC/$name-want.png" "$SC/$name-diff.png" 2>&1 >/dev/null |
      sed 's/ .*//' || true)
  [ "$n" = "0" ] || fail "$name: copied image differs from the desktop at ($((l + 2)),$((t + 2))) in $n pixels"
  note "$name: copied ${w}x${h} from ($((l + 2)),$((t + 2)))"
}

scenario_click_picks_child_control() {
  det_start_layout_desktop
  det_pick_and_copy control 420 230 360 160 560 310
  # Where two controls overlap, the upper one is taken.
  det_pick_and_copy overlap 530 295 500 280 580 400
}

scenario_magnifier_follows_and_flips() {
  det_start_layout_desktop
  start_corvane
  det_magnify middle        300 300
  det_magnify red           240 190   # the colour line reads 255, 0, 0
  # The flips start where the window would pass the edge: 1130 + 150 = 1280 still fits (hanging over
  # by 20 pixels), 1131 does not; the same at the bottom with 600 and 601.
  det_magnify fits          1130 600
  det_magnify flips         1131 601
  det_magnify flips-right   1200 300
  det_magnify flips-up       300 700
  # At the corners the source square stays inside the screen.
  det_magnify top-left         0   0
  det_magnify bottom-right  1275 795
  det_magnify on-window      800 300
  # The first press hides it; the outline stays as it was.
  xdotool mousedown 1
  det_expect_outline pressed 800 300 700 200 1100 500 nomask
  xdotool mouseup 1
  xdotool key Escape
  expect_exit 1
}
