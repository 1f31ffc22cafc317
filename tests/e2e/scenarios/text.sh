# Scenarios of the text tool with real typing: the keys that a text box in a dialog would take for the
# dialog's own, and typed text reaching the saved picture.
# Sourced by tests/e2e/run.sh, which provides the steps they are written in; the sel_* steps come from
# selection.sh. They run over the full-screen pattern, in which no pixel inside the boxes used here is
# pure red (its green follows y, and no row there is a multiple of 256), so pure red is typed text.

SCENARIOS+=(text_esc_abandons text_enter_keeps_and_save_has_text)
ABOUT+=(
  [text_esc_abandons]="Esc while typing ends the capture with exit code 1 and no output"
  [text_enter_keeps_and_save_has_text]="Enter while typing keeps the text and the capture; Ctrl+S while typing saves both texts"
)

# The region all these scenarios draw; below it the main tool bar, right-aligned with it, whose fifth
# button (40 pixels each, from 500 - 368) is the text tool.
TXT_REGION=(100 100 500 300)
TXT_TOOL=(312 327)

# Chooses the text tool and clicks at X Y to open a box there.
txt_open_box() {
  xdotool mousemove --screen 0 "${TXT_TOOL[@]}" click 1 sleep 0.3 mousemove "$1" "$2" click 1
}

# The number of pure red pixels in the picture FILE (- for standard input).
txt_count_red() {
  convert "$1" +repage -fill black +opaque red -fill white -opaque red -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Waits until the screen shows at least 10 pure red pixels in the 120 x 40 area from X Y.
txt_wait_red() {
  local tries=40 n=0
  while [ "$tries" -gt 0 ]; do
    n=$(import -window root -crop "120x40+$1+$2" png:- | txt_count_red -)
    [ "$n" -ge 10 ] && return 0
    expect_running "waiting for typed text at $1,$2"
    tries=$((tries - 1)); sleep 0.25
  done
  screenshot wait-red-failed
  fail "no typed text at $1,$2 ($n red pixels; see wait-red-failed.png)"
}

scenario_text_esc_abandons() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag "${TXT_REGION[@]}"
  txt_open_box 150 150
  xdotool type --delay 50 "abc"
  txt_wait_red 150 150
  xdotool key Escape
  expect_exit 1
  expect_capture_gone
  expect_no_output
}

scenario_text_enter_keeps_and_save_has_text() {
  start_pattern
  start_corvane
  sel_drag "${TXT_REGION[@]}"
  txt_open_box 150 150
  xdotool type --delay 50 "abc"
  txt_wait_red 150 150
  # The box's bottom frame line, below the text, goes with the box.
  ! sel_pixel_is 160 189 known || fail "no text box frame at 160,189"
  xdotool key Return
  sel_wait_pixels "160 189 known"
  expect_running "Enter in the text box"
  txt_wait_red 150 150
  # The tool stays chosen: a click opens the next box, and Ctrl+S while typing in it saves.
  xdotool mousemove --screen 0 150 230 click 1
  xdotool type --delay 50 "xyz"
  txt_wait_red 150 230
  rm -rf "$SC/out"; mkdir -p "$SC/out"
  sel_ctrl_s_save 150 230
  sel_type_save_name "$(cv_winpath "$SC/out/shot.png")"
  expect_exit 0
  local file=$SC/out/shot.png l=${TXT_REGION[0]} t=${TXT_REGION[1]} n box x y
  [ -f "$file" ] || fail "no shot.png written: '$(ls -A "$SC/out")'"
  # Outside the two boxes the desktop, pixel for pixel; inside each, red text. (File coordinates are
  # the desktop's less the region's corner and its 2-pixel inset.)
  sel_expected expected "${TXT_REGION[@]}"
  local mask=()
  for box in "150 150" "150 230"; do
    read -r x y <<<"$box"
    mask+=(-draw "rectangle $((x - l - 2)),$((y - t - 2)) $((x - l - 2 + 119)),$((y - t - 2 + 39))")
    n=$(convert "$file" -crop "120x40+$((x - l - 2))+$((y - t - 2))" png:- | txt_count_red -)
    [ "$n" -ge 10 ] || fail "the saved picture has no red text at $x,$y ($n red pixels)"
  done
  convert "$file" -fill black "${mask[@]}" "$SC/saved-masked.png"
  convert "$SC/expected.png" -fill black "${mask[@]}" "$SC/expected-masked.png"
  n=$(compare -metric AE "$SC/saved-masked.png" "$SC/expected-masked.png" null: 2>&1) || true
  [ "$n" = "0" ] || fail "the saved picture differs from the desktop outside the text boxes in '$n' pixels"
  note "shot.png: both texts in red, the desktop elsewhere"
}
