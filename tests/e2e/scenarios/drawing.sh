# Scenarios of the marks: rectangle, arrow, pen and ellipse drawn with the real pointer in two colours and
# sizes, one of them undone, and the image that leaves the program by the done and save buttons.
# Sourced by tests/e2e/run.sh; the drags, pixel checks and save dialog steps are those of selection.sh,
# the bar geometry and clicks those of palette.sh.

SCENARIOS+=(drawing_marks_copied drawing_marks_saved)
ABOUT+=(
  [drawing_marks_copied]="a red rectangle, a blue arrow and pen stroke of size 4, an undone ellipse; 完成 copies exactly those"
  [drawing_marks_saved]="the same marks saved through 保存 as BMP"
)

# ---------------------------------------------------------------------------------------------------
# Steps of these scenarios. The region is (200,150)-(700,450); its main bar goes below it.

DRW_REGION=(200 150 700 450)

# Clicks option bar button I (0..2 sizes, 4..9 colours) in its middle.
drw_option_click() {
  local i=$1 x
  if [ "$i" -lt 3 ]; then x=$((OPTION[0] + 36 * i)); else x=$((OPTION[0] + 6 + 36 * (i - 1))); fi
  xdotool mousemove --screen 0 $((x + 18)) $((OPTION[1] + 18)) sleep 0.1 click 1
}

# Waits until screen pixel X Y is "R G B".
drw_wait_screen() {
  local tries=40
  until [ "$(sel_screen_pixel "$1" "$2")" = "$3" ]; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || { screenshot wait-failed; fail "screen ($1,$2) never became '$3'"; }
    sleep 0.25
  done
}

# The marks, in desktop pixels: what is drawn where, and the boxes (l t r b) outside which the output
# must be the desktop itself.
drw_draw_marks() {
  sel_drag "${DRW_REGION[@]}"
  pal_place "${DRW_REGION[@]}"
  sel_wait_pixels "600 420 known" "150 100 dimmed"
  pal_click 1                          # rectangle: red, size 2
  sel_drag 250 200 400 300
  drw_option_click 6                   # blue
  drw_option_click 2                   # size 4
  pal_click 0                          # arrow
  sel_drag 450 400 650 250
  pal_click 3                          # pen
  sel_drag 300 380 360 400 420 420
  pal_click 2                          # ellipse, then undone
  sel_drag 215 335 275 415
  drw_wait_screen 245 335 "0 0 255"      # the ellipse's top
  pal_click 6                          # undo
  sel_wait_pixels "245 335 known"
}
DRW_MASKS=("246 196 404 304" "430 220 680 412" "295 375 425 425")

# "R G B" of pixel X Y (desktop coordinates) of image FILE, which shows the region from (202,152).
drw_image_pixel() { convert "$1" -crop "1x1+$(($2 - 202))+$(($3 - 152))" -depth 8 txt:- | sel_rgb; }

# Image FILE shows the marks in their colours and the desktop everywhere else, the undone ellipse included.
drw_expect_marks() {
  local file=$1 base spec x y want got m l t r b draw=() n
  base=$(basename "${file%.*}")
  [ "$(identify -format '%w %h' "$file")" = "495 295" ] || fail "$file is $(identify -format '%w %h' "$file")"
  for spec in "325 200 255 0 0" "325 199 255 0 0" "250 250 255 0 0" "570 310 0 0 255" "360 400 0 0 255"; do
    read -r x y want <<<"$spec"
    got=$(drw_image_pixel "$file" "$x" "$y")
    [ "$got" = "$want" ] || fail "$(basename "$file") at ($x,$y) is '$got', expected '$want'"
  done
  for m in "${DRW_MASKS[@]}"; do
    read -r l t r b <<<"$m"
    draw+=(-draw "rectangle $((l - 202)),$((t - 152)) $((r - 202)),$((b - 152))")
  done
  sel_expected "$base-desktop" "${DRW_REGION[@]}"
  convert "$file" -fill black "${draw[@]}" "$SC/$base-masked.png"
  convert "$SC/$base-desktop.png" -fill black "${draw[@]}" "$SC/$base-desktop-masked.png"
  n=$(compare -metric AE "$SC/$base-masked.png" "$SC/$base-desktop-masked.png" "$SC/$base-diff.png" 2>&1 >/dev/null) || true
  [ "$n" = "0" ] || fail "$(basename "$file") differs from the desktop away from the marks in '$n' pixels (see $base-diff.png)"
  note "$(basename "$file"): the marks in their colours, the desktop elsewhere"
}

# ---------------------------------------------------------------------------------------------------

scenario_drawing_marks_copied() {
  start_pattern
  start_corvane
  drw_draw_marks
  screenshot marks
  pal_click 9
  expect_exit 0
  helper clipboard save-bitmap "$(cv_winpath "$SC/copied.bmp")" >/dev/null || fail "no bitmap on the clipboard"
  drw_expect_marks "$SC/copied.bmp"
}

scenario_drawing_marks_saved() {
  start_pattern
  start_corvane
  drw_draw_marks
  mkdir -p "$SC/out"
  pal_click 7
  sel_wait_save_dialog
  sel_choose_type 1
  sel_type_save_name "$(cv_winpath "$SC/out/marks.bmp")"
  expect_exit 0
  [ "$(sel_file_format "$SC/out/marks.bmp")" = bmp ] || fail "marks.bmp is no BMP"
  drw_expect_marks "$SC/out/marks.bmp"
}
