# Gestures whose other half lands where no other scenario looks: a mark dragged from the region onto a
# tool bar, and a key held down to end the capture over a window that takes keys.
# Sourced by tests/e2e/run.sh; the drags and pixel checks are those of selection.sh, the bar geometry
# and clicks those of palette.sh.

SCENARIOS+=(gesture_mark_released_over_bar gesture_held_enter_stays_in_capture)
ABOUT+=(
  [gesture_mark_released_over_bar]="a rectangle dragged from the region onto the main bar is kept as a mark; 完成 copies it"
  [gesture_held_enter_stays_in_capture]="Enter held for 1.5 s ends the capture once, with exit code 1, and none of it reaches the window beneath"
)

GST_REGION=(300 200 900 600)

# "R G B" of pixel X Y (desktop coordinates) of image FILE, which shows the region from (302,202).
gst_image_pixel() { convert "$1" -crop "1x1+$(($2 - 302))+$(($3 - 202))" -depth 8 txt:- | sel_rgb; }

scenario_gesture_mark_released_over_bar() {
  start_pattern
  start_corvane
  sel_drag "${GST_REGION[@]}"
  pal_place "${GST_REGION[@]}"
  sel_wait_pixels "600 420 known" "150 100 dimmed"
  pal_click 1                          # rectangle: red, size 2
  # Pressed at (350,400), released over the main bar at (632,625), below the region.
  xdotool mousemove --screen 0 350 400 sleep 0.05 mousedown 1 sleep 0.05 mousemove 500 500 sleep 0.05 \
    mousemove 632 625 sleep 0.1 mouseup 1
  sleep 0.3
  expect_running "a drag released over the bar"
  # A second mark recomposes the view: an outline that was not kept as a mark goes with it.
  sel_drag 700 250 750 300
  pal_click 9                          # 完成
  expect_exit 0
  helper clipboard save-bitmap "$(cv_winpath "$SC/copied.bmp")" >/dev/null || fail "no bitmap on the clipboard"
  # Both rectangles' left and top edges (2 pixels, centred on the corner's row and column), in red.
  local spec x y got
  for spec in "349 500" "350 500" "500 399" "500 400" "699 275" "725 250"; do
    read -r x y <<<"$spec"
    got=$(gst_image_pixel "$SC/copied.bmp" "$x" "$y")
    [ "$got" = "255 0 0" ] || fail "copied.bmp at ($x,$y) is '$got', expected red"
  done
  note "copied.bmp: the rectangle released over the bar and the one after it"
}

scenario_gesture_held_enter_stays_in_capture() {
  start_pattern
  start_corvane
  pointer_to_corner
  sleep 0.5
  xdotool keydown Return
  sleep 1.5
  xdotool keyup Return
  expect_exit 1
  sleep 0.5
  ! grep -q '^key' "$SC/pattern.log" || fail "keys reached the window beneath: $(grep -c '^key' "$SC/pattern.log") of them"
  # The window beneath does take the keys that come after the capture.
  xdotool key a
  wait_line "$SC/pattern.log" '^keydown 65' 5 || fail "the window beneath took no key after the capture"
  note "no press, repeat or release of the held Enter reached the window beneath"
}
