# The capture's keys with real key presses: the region moved and resized by keys, the pointer moved by keys
# during a drag, undo and redo of marks, the copies by Ctrl+C and by C.
# Sourced by tests/e2e/run.sh; the drags and pixel checks are those of selection.sh, the bar geometry
# and clicks those of palette.sh.

SCENARIOS+=(keys_region_moved_and_resized_then_ctrl_c keys_pointer_drag_undo_redo keys_colour_under_pointer)
ABOUT+=(
  [keys_region_moved_and_resized_then_ctrl_c]="arrows move the region, Ctrl+arrows resize it (Shift: 10); Ctrl+C copies exactly that crop of the desktop"
  [keys_pointer_drag_undo_redo]="arrows extend a drag under way; marks undone by Ctrl+Z and brought back by Ctrl+Y are copied as the keys left them"
  [keys_colour_under_pointer]="C with the magnifier shown puts the colour of the pixel under the pointer on the clipboard as #RRGGBB and ends with 0"
)

scenario_keys_region_moved_and_resized_then_ctrl_c() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag 100 100 400 300
  sel_wait_pixels "250 200 known" "700 600 dimmed"
  # (100,100,400,300) -> right twice (102,100,402,300) -> Shift+Down (102,110,402,310)
  # -> Ctrl+Right (102,110,403,310) -> Ctrl+Shift+Down (102,110,403,320)
  xdotool key --delay 80 Right Right shift+Down ctrl+Right ctrl+shift+Down
  sel_wait_pixels "150 115 known" "96 200 dimmed" "500 200 dimmed"
  xdotool key ctrl+c
  expect_exit 0
  sel_expect_copied 102 110 403 320
}

scenario_keys_pointer_drag_undo_redo() {
  start_pattern
  start_corvane
  # A drag from (100,100) to (300,200), then three steps right and two down by keys, button still held.
  xdotool mousemove --screen 0 100 100 sleep 0.05 mousedown 1 sleep 0.05 mousemove 200 150 sleep 0.05 \
    mousemove 300 200 sleep 0.1 key --delay 60 Right Right Right Down Down sleep 0.1 mouseup 1
  sleep 0.3
  pal_place 100 100 303 202
  sel_wait_pixels "200 150 known" "280 190 known" "350 150 dimmed"
  pal_click 1                          # rectangle: red, size 2
  sel_drag 130 130 160 160
  sel_drag 200 130 230 160
  xdotool key --delay 80 ctrl+z ctrl+z ctrl+y
  sleep 0.2
  xdotool key ctrl+c
  expect_exit 0
  helper clipboard save-bitmap "$(cv_winpath "$SC/copied.bmp")" >/dev/null || fail "no bitmap on the clipboard"
  local size; size=$(identify -format '%w %h' "$SC/copied.bmp")
  [ "$size" = "198 97" ] || fail "copied.bmp is $size, expected 198 97 (the region (100,100,303,202) less its frame)"
  # The first rectangle came back; the second stays undone.
  local got
  got=$(convert "$SC/copied.bmp" -crop "1x1+$((130 - 102))+$((145 - 102))" -depth 8 txt:- | sel_rgb)
  [ "$got" = "255 0 0" ] || fail "the mark brought back by Ctrl+Y is missing: '$got' at (130,145)"
  got=$(convert "$SC/copied.bmp" -crop "1x1+$((200 - 102))+$((145 - 102))" -depth 8 txt:- | sel_rgb)
  [ "$got" = "$(sel_known_pixel 200 145)" ] || fail "the mark still undone shows: '$got' at (200,145)"
  note "copied.bmp: the region the keys extended, the mark redone, not the one undone"
}

scenario_keys_colour_under_pointer() {
  mark_clipboard
  start_pattern
  start_corvane
  xdotool mousemove --screen 0 523 411 sleep 0.3 mousemove 524 411 sleep 0.3
  xdotool key Left
  sleep 0.3
  xdotool key c
  expect_exit 0
  local r g b want clip
  read -r r g b <<<"$(sel_known_pixel 523 411)"
  want=$(printf '#%02X%02X%02X' "$r" "$g" "$b")
  clip=$(helper clipboard show | tr -d '\r')
  [ "$clip" = $'text: '"$want"$'\nbitmap: no' ] || fail "clipboard after C: $clip, expected text $want"
  note "clipboard: $want, the colour at (523,411) after a step left by key"
}
