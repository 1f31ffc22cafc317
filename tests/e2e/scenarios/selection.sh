# Scenarios of the region and its two outputs: drawing the region, moving and resizing it, copying it to
# the clipboard and saving it to a file, and the ways an output can be refused or fail.
# Sourced by tests/e2e/run.sh, which provides the steps they are written in.
#
# Every expected picture is cut from the reference picture of the known desktop: a region (l, t, r, b)
# leaves the program as the desktop inside (l + 2, t + 2) - (r - 3, b - 3); outside the region the
# overlay shows the desktop dimmed to 155/255.

SCENARIOS+=(drag_then_double_click_copies move_and_resize_then_copy flip_and_clamp_then_copy
            save_png_by_right_click save_bmp_by_ctrl_s save_jpeg save_last_extension_decides
            save_cancel_keeps_capture save_unwritable_shows_error busy_clipboard_keeps_capture
            tiny_selection_outputs_nothing)
ABOUT+=(
  [drag_then_double_click_copies]="a drag draws the region over the dimmed desktop; a double-click inside copies it, as a bitmap and as a PNG"
  [move_and_resize_then_copy]="a reversed drag, a body move, corner and edge handles and a move against the top-left edge"
  [flip_and_clamp_then_copy]="the left handle dragged across the right edge flips the region; a move stops at the bottom-right edge"
  [save_png_by_right_click]="a right click inside opens the save dialog; a .png name is written as PNG, pixel for pixel"
  [save_bmp_by_ctrl_s]="Ctrl+S opens the save dialog; a .bmp name is written as BMP, pixel for pixel"
  [save_jpeg]="a .jpg name is written as JPEG, close to the desktop and closest at the region's place"
  [save_last_extension_decides]="shot.bmp.png is written as PNG; a name the dialog completes to .bmp as BMP"
  [save_cancel_keeps_capture]="Esc or Cancel in the save dialog keeps the capture; a later copy still works"
  [save_unwritable_shows_error]="a replacement that cannot be written whole shows 保存失败, keeps the old file and the capture; a smaller save works"
  [busy_clipboard_keeps_capture]="with the clipboard held by another program a copy waits for the user to retry"
  [tiny_selection_outputs_nothing]="a region of 5 pixels or less and a double-click outside the region output nothing"
)

# ---------------------------------------------------------------------------------------------------
# Steps of these scenarios.

# Drags with the left button through the given points (x y x y ...): press at the first, four moves
# towards each next point, release at the last. The capture fixes a new region only when the release is
# where the last move went, as it is here.
sel_drag() {
  local args=(mousemove --screen 0 "$1" "$2" sleep 0.05 mousedown 1) px=$1 py=$2 i
  shift 2
  while [ $# -ge 2 ]; do
    for i in 1 2 3 4; do args+=(mousemove $((px + ($1 - px) * i / 5)) $((py + ($2 - py) * i / 5))); done
    args+=(mousemove "$1" "$2")
    px=$1; py=$2; shift 2
  done
  xdotool "${args[@]}" sleep 0.05 mouseup 1
}

sel_double_click() { xdotool mousemove --screen 0 "$1" "$2" click --repeat 2 --delay 60 1; }

# "R G B" of one pixel, from ImageMagick's text format on stdin.
sel_rgb() { sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3/p' | head -n 1; }
sel_screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sel_rgb; }
sel_known_pixel() { convert "$REFERENCE" -crop "1x1+$1+$2" -depth 8 txt:- | sel_rgb; }

# Whether screen pixel X Y shows the known desktop (known) or the known desktop dimmed (dimmed). The
# dimming is a blend with black at 155/255; one step of rounding either way is allowed.
sel_pixel_is() {
  local x=$1 y=$2 kind=$3 got want
  got=$(sel_screen_pixel "$x" "$y")
  want=$(sel_known_pixel "$x" "$y")
  [ "$kind" = known ] && { [ "$got" = "$want" ]; return; }
  local g w i
  read -r -a g <<<"$got"; read -r -a w <<<"$want"
  [ ${#g[@]} -eq 3 ] || return 1
  for i in 0 1 2; do
    local d=$(( g[i] - (w[i] * 155 + 127) / 255 ))
    [ "${d#-}" -le 1 ] || return 1
  done
}

# Waits until every "X Y kind" given holds at once; the overlay is repainted after the input that
# changed it, so this also tells that the capture has handled all input sent before.
sel_wait_pixels() {
  local tries=40 spec ok
  while :; do
    ok=1
    for spec in "$@"; do
      # shellcheck disable=SC2086
      sel_pixel_is $spec || { ok=""; break; }
    done
    [ -n "$ok" ] && return 0
    kill -0 "$CORVANE_PID" 2>/dev/null || { wait_exit 1; fail "corvane.exe ended (exit code $EXIT_CODE) before the overlay showed '$spec'"; }
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || break
    sleep 0.25
  done
  screenshot "wait-failed"
  fail "the overlay never showed '$spec' (screen $(sel_screen_pixel ${spec% *}), desktop $(sel_known_pixel ${spec% *}); see wait-failed.png)"
}

expect_running() {
  kill -0 "$CORVANE_PID" 2>/dev/null || { wait_exit 1; fail "corvane.exe ended ($*), exit code $EXIT_CODE"; }
}

# The picture region L T R B must produce, cut from the reference picture, as $SC/NAME.png.
sel_expected() {
  local name=$1 l=$2 t=$3 r=$4 b=$5
  convert "$REFERENCE" -crop "$((r - l - 5))x$((b - t - 5))+$((l + 2))+$((t + 2))" +repage "$SC/$name.png"
}

# Fails unless image FILE has the size of region L T R B and equals the desktop inside it pixel for pixel.
sel_expect_exact() {
  local file=$1 l=$2 t=$3 r=$4 b=$5 size n base
  base=$(basename "${file%.*}")
  size=$(identify -format '%w %h' "$file") || fail "$file is no picture"
  [ "$size" = "$((r - l - 5)) $((b - t - 5))" ] || fail "$file is $size, expected $((r - l - 5)) $((b - t - 5))"
  sel_expected "$base-expected" "$l" "$t" "$r" "$b"
  n=$(compare -metric AE "$file" "$SC/$base-expected.png" "$SC/$base-diff.png" 2>&1 >/dev/null) || true
  [ "$n" = "0" ] || fail "$file differs from the desktop at ($((l + 2)),$((t + 2))) in '$n' pixels (see $base-diff.png)"
  note "$(basename "$file"): $size, equal to the desktop at ($((l + 2)),$((t + 2)))"
}

# The clipboard holds the picture of region L T R B as a bitmap, and nothing of what was there before.
sel_expect_copied() {
  local out clip
  out=$(helper clipboard save-bitmap "$(cv_winpath "$SC/copied.bmp")" | tr -d '\r') ||
    fail "no bitmap on the clipboard ($out)"
  note "clipboard $out"
  clip=$(helper clipboard show | tr -d '\r')
  [ "$clip" = $'text: none\nbitmap: yes' ] || fail "clipboard after the copy: $clip"
  sel_expect_exact "$SC/copied.bmp" "$@"
}

# The first bytes of FILE name its format.
sel_file_format() {
  local magic; magic=$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')
  case $magic in
    89504e470d0a1a0a) echo png ;;
    424d*) echo bmp ;;
    ffd8ff*) echo jpeg ;;
    *) echo "unknown ($magic)" ;;
  esac
}

# A JPEG is lossy (the encoder's default quality, colour subsampled at the desktop's tile borders): it must
# be close to the desktop at the region's place (RMSE under 3.5 %), and closer there than one
# pixel off in any direction, so a shifted or cut-wrong picture does not pass.
sel_expect_close() {
  local file=$1 l=$2 t=$3 r=$4 b=$5 size base err d dx dy off
  base=$(basename "${file%.*}")
  size=$(identify -format '%w %h' "$file") || fail "$file is no picture"
  [ "$size" = "$((r - l - 5)) $((b - t - 5))" ] || fail "$file is $size, expected $((r - l - 5)) $((b - t - 5))"
  sel_expected "$base-expected" "$l" "$t" "$r" "$b"
  err=$(compare -metric RMSE "$file" "$SC/$base-expected.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p') || true
  awk -v e="$err" 'BEGIN { exit !(e != "" && e < 0.035) }' ||
    fail "$file is too far from the desktop at ($((l + 2)),$((t + 2))): RMSE '$err'"
  for d in "1 0" "-1 0" "0 1" "0 -1"; do
    read -r dx dy <<<"$d"
    sel_expected "$base-off" $((l + dx)) $((t + dy)) $((r + dx)) $((b + dy))
    off=$(compare -metric RMSE "$file" "$SC/$base-off.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p') || true
    awk -v e="$err" -v o="$off" 'BEGIN { exit !(o != "" && e < o) }' ||
      fail "$file is as close to the desktop shifted by ($dx,$dy) (RMSE $off) as to the right place ($err)"
  done
  note "$(basename "$file"): $size JPEG, RMSE $err from the desktop at ($((l + 2)),$((t + 2)))"
}

# Waits for the save dialog; sets SAVE_X/Y/W/H (its rectangle) and the centres of its file name field
# (SAVE_NAME_X/Y), its cancel button (SAVE_CANCEL_X/Y) and its file type list (SAVE_TYPE_X/Y).
sel_wait_save_dialog() {
  local out
  out=$(helper dialogs wait-save "${1:-10000}" | tr -d '\r') || {
    kill -0 "$CORVANE_PID" 2>/dev/null || { wait_exit 1; fail "no save dialog: corvane.exe ended (exit code $EXIT_CODE)"; }
    fail "no save dialog ($out)"
  }
  note "$out"
  read -r _ _ SAVE_X SAVE_Y SAVE_W SAVE_H _ SAVE_NAME_X SAVE_NAME_Y _ SAVE_CANCEL_X SAVE_CANCEL_Y \
    _ SAVE_TYPE_X SAVE_TYPE_Y <<<"$out"
}

# A right press inside the region opens the save dialog once the button is up: while it is held no
# dialog shows, so the release cannot land on one (over its file list it would open a menu there).
sel_right_click_save() {
  local rc=0
  xdotool mousemove --screen 0 "$1" "$2" mousedown 3
  helper dialogs wait-save 800 >/dev/null || rc=$?
  if [ "$rc" -ne 1 ]; then
    xdotool mouseup 3
    [ "$rc" -eq 0 ] && fail "the save dialog opened while the right button was still down"
    fail "dialogs.exe failed (exit code $rc)"
  fi
  xdotool mouseup 3
  sel_wait_save_dialog
}

# Ctrl+S with the pointer at X Y over the capture (the keyboard goes to the window under the pointer).
sel_ctrl_s_save() {
  xdotool mousemove --screen 0 "$1" "$2" sleep 0.1 key ctrl+s
  sel_wait_save_dialog
}

# Types the full Windows path into the save dialog's file name field and confirms it.
sel_type_save_name() {
  xdotool mousemove "$SAVE_NAME_X" "$SAVE_NAME_Y" click 1 sleep 0.2 key ctrl+a
  xdotool type --delay 8 "$1"
  xdotool key Return
}

sel_expect_save_gone() { helper dialogs save-gone 5000 >/dev/null || fail "the save dialog is still open"; }

# Picks entry N (0 PNG, 1 BMP, 2 JPG) of the dialog's file types, through its drop-down list.
sel_choose_type() {
  local n=$1 keys=() i
  [ "$n" -gt 0 ] || return 0
  for ((i = 0; i < n; i++)); do keys+=(Down); done
  xdotool mousemove "$SAVE_TYPE_X" "$SAVE_TYPE_Y" click 1 sleep 0.3 key "${keys[@]}" Return
  sleep 0.2
}

# A whole save of region L T R B: started by ROUTE (right-click or ctrl-s), file type entry TYPE chosen,
# NAME typed (a path in $SC/out); ends with exit code 0 and the file WRITTEN in FORMAT (png, bmp, jpeg).
# Wine's dialog adds the chosen type's extension to a name that does not already end in it, so
# WRITTEN may be NAME with an extension more.
sel_save_run() {
  local route=$1 type=$2 name=$3 written=$4 format=$5 l=$6 t=$7 r=$8 b=$9 cx cy
  cx=$(((l + r) / 2)); cy=$(((t + b) / 2))
  rm -rf "$SC/out"; mkdir -p "$SC/out"
  start_corvane
  sel_drag "$l" "$t" "$r" "$b"
  if [ "$route" = right-click ]; then sel_right_click_save "$cx" "$cy"; else sel_ctrl_s_save "$cx" "$cy"; fi
  sel_choose_type "$type"
  sel_type_save_name "$(cv_winpath "$SC/out/$name")"
  expect_exit 0
  expect_capture_gone
  local file=$SC/out/$written got
  [ "$(ls -A "$SC/out")" = "$written" ] || fail "files written: '$(ls -A "$SC/out")', expected $written"
  got=$(sel_file_format "$file")
  [ "$got" = "$format" ] || fail "$written holds $got data, expected $format"
  case $format in
    jpeg) sel_expect_close "$file" "$l" "$t" "$r" "$b" ;;
    *) sel_expect_exact "$file" "$l" "$t" "$r" "$b" ;;
  esac
  # Kept for inspection; a scenario with several saves empties out/ before each.
  cp "$file" "$SC/saved-$written"
}

# ---------------------------------------------------------------------------------------------------

scenario_drag_then_double_click_copies() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag 100 100 400 300
  # Inside the frame the desktop itself, outside it dimmed, also right next to the frame and its label.
  sel_wait_pixels "250 200 known" "102 102 known" "396 296 known" "700 600 dimmed" "96 200 dimmed" \
                  "404 200 dimmed" "250 304 dimmed" "300 90 dimmed" "50 50 dimmed"
  screenshot selected
  # The frame: sky blue on every side, on the edge line or next to it.
  local side spot found
  for side in "top:180,99 180,100 180,101" "bottom:180,298 180,299 180,300" \
              "left:99,150 100,150 101,150" "right:398,150 399,150 400,150"; do
    found=""
    for spot in ${side#*:}; do
      [ "$(convert "$SC/selected.png" -crop "1x1+${spot%,*}+${spot#*,}" -depth 8 txt:- | sel_rgb)" = "18 183 245" ] &&
        found=1
    done
    [ -n "$found" ] || fail "no sky blue frame on the ${side%%:*} edge (see selected.png)"
  done
  # The size label, white text above the region (the desktop has no white in that band).
  local white
  white=$(convert "$SC/selected.png" -crop 95x20+105+80 +repage -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$white" -ge 20 ] || fail "no white size label above the region ($white white pixels)"
  sel_double_click 250 200
  expect_exit 0
  expect_capture_gone
  sel_expect_copied 100 100 400 300
  # Beside the bitmap the same pixels as a PNG file, for the programs that paste that format.
  local png
  png=$(helper clipboard save-png "$(cv_winpath "$SC/copied-png.png")" | tr -d '\r') || fail "no PNG on the clipboard"
  note "clipboard $png"
  [ "$(sel_file_format "$SC/copied-png.png")" = png ] || fail "the clipboard's PNG format holds no PNG file"
  sel_expect_exact "$SC/copied-png.png" 100 100 400 300
}

scenario_move_and_resize_then_copy() {
  start_pattern
  start_corvane
  # Drawn from bottom-right to top-left: the region is (200,150)-(500,400) all the same.
  sel_drag 500 400 200 150
  # The inside moves it by the mouse's way: (280,190)-(580,440).
  sel_drag 350 275 430 315
  # The bottom-right handle, pressed 2 pixels inside the corner, takes the corner to the pointer.
  sel_drag 578 438 700 520
  # The right handle (middle of the right edge) moves only the right edge: (280,190)-(760,520).
  sel_drag 698 355 760 300
  # The top handle moves only the top edge: (280,120)-(760,520).
  sel_drag 520 191 600 120
  sel_wait_pixels "300 140 known" "755 515 known" "600 110 dimmed" "765 300 dimmed"
  screenshot resized
  # Moved far up and left, it stops with its left and top edges at 2: (2,2)-(482,402).
  sel_drag 500 300 100 50
  sel_wait_pixels "5 5 known" "478 398 known" "487 200 dimmed" "60 407 dimmed"
  screenshot moved
  sel_double_click 240 200
  expect_exit 0
  sel_expect_copied 2 2 482 402
}

scenario_flip_and_clamp_then_copy() {
  start_pattern
  start_corvane
  sel_drag 300 300 500 450
  # The left handle dragged past the right edge: the old right edge becomes the left one and the same
  # handle goes on moving the moving edge, to (500,300)-(700,450).
  sel_drag 301 375 650 400 700 380
  sel_wait_pixels "600 375 known" "695 445 known" "400 375 dimmed" "705 375 dimmed"
  screenshot flipped
  # Moved far down and right, it stops at the screen's right and bottom edges: (1080,650)-(1280,800).
  sel_drag 600 375 1270 790
  sel_wait_pixels "1275 795 known" "1085 655 known" "1075 700 dimmed" "1150 645 dimmed"
  screenshot moved
  sel_double_click 1150 720
  expect_exit 0
  sel_expect_copied 1080 650 1280 800
}

scenario_save_png_by_right_click() {
  mark_clipboard
  start_pattern
  sel_save_run right-click 0 shot.png shot.png png 100 100 400 300
  # Saving leaves the clipboard alone.
  [ "$(helper clipboard show | tr -d '\r')" = $'text: corvane-e2e-marker\nbitmap: no' ] || fail "clipboard changed"
}

scenario_save_bmp_by_ctrl_s() {
  start_pattern
  # Crosses tile borders of the desktop, so a shift or a flip of the rows shows.
  sel_save_run ctrl-s 1 shot.bmp shot.bmp bmp 700 200 1010 530
}

scenario_save_jpeg() {
  start_pattern
  sel_save_run ctrl-s 2 shot.jpg shot.jpg jpeg 230 240 560 470
}

scenario_save_last_extension_decides() {
  start_pattern
  # With the PNG type chosen, "shot.bmp" is saved as shot.bmp.png: PNG data, the last extension counts.
  sel_save_run ctrl-s 0 shot.bmp shot.bmp.png png 150 130 450 330
  # A name without extension gets the chosen type's: BMP.
  sel_save_run right-click 1 shot shot.bmp bmp 620 350 900 600
}

scenario_save_cancel_keeps_capture() {
  mark_clipboard
  start_pattern
  start_corvane
  mkdir -p "$SC/out"
  sel_drag 700 150 1000 400
  # Esc in the dialog (pointer over it, so the key goes there).
  sel_right_click_save 850 275
  xdotool mousemove "$SAVE_NAME_X" "$SAVE_NAME_Y" sleep 0.2 key Escape
  sel_expect_save_gone
  sleep 0.5
  expect_running "after Esc in the save dialog"
  # The Cancel button.
  sel_ctrl_s_save 850 275
  xdotool mousemove "$SAVE_CANCEL_X" "$SAVE_CANCEL_Y" click 1
  sel_expect_save_gone
  sleep 0.5
  expect_running "after Cancel in the save dialog"
  [ "$(helper clipboard show | tr -d '\r')" = $'text: corvane-e2e-marker\nbitmap: no' ] || fail "clipboard changed"
  [ -z "$(ls -A "$SC/cwd")$(ls -A "$SC/out")" ] || fail "files written: $(ls -A "$SC/cwd" "$SC/out")"
  # The capture goes on: the region still copies, from the view as it is now.
  sel_double_click 850 275
  expect_exit 0
  sel_expect_copied 700 150 1000 400
}

scenario_save_unwritable_shows_error() {
  start_pattern
  # The program may write no file over 128 KB, as on a nearly full disk: the PNG of a 315 x 225 region
  # of the desktop (about 170 KB) cannot be written whole, one of 155 x 115 (at most 54 KB) can. The
  # name chosen is a file that exists, which the user agrees to replace.
  mkdir -p "$SC/out"
  printf 'the picture saved before\n' >"$SC/out/kept.png"
  cp "$SC/out/kept.png" "$SC/kept-before"
  CV_FILE_LIMIT_KB=128 start_corvane
  sel_drag 200 250 520 480
  sel_ctrl_s_save 360 365
  local kept; kept=$(cv_winpath "$SC/out/kept.png")
  sel_type_save_name "$kept"
  local out x y
  out=$(helper dialogs wait-prompt 5000 | tr -d '\r') || fail "the dialog did not ask to replace kept.png ($out)"
  note "$(tr '\n' '|' <<<"$out")"
  read -r _ _ _ _ _ _ _ x y <<<"$(head -n 1 <<<"$out")"
  [ "$x" -ge 0 ] || { screenshot prompt; fail "the dialog's question has no Yes button (see prompt.png)"; }
  xdotool mousemove "$x" "$y" click 1
  out=$(helper dialogs wait-message 保存失败 8000 | tr -d '\r') || {
    sleep 0.5; kill -0 "$CORVANE_PID" 2>/dev/null || { wait_exit 1; fail "no 保存失败 message; corvane.exe ended with $EXIT_CODE"; }
    fail "no 保存失败 message ($out)"
  }
  screenshot save-failed
  note "$(tr '\n' '|' <<<"$out")"
  # The message names the file and gives a reason.
  grep -qxF "$kept" <<<"$out" || fail "the message does not name $kept"
  local reason; reason=$(sed -n '2,$p' <<<"$out" | grep -vxF "$kept" | grep -v '^$' | grep -v '：$' || true)
  [ -n "$reason" ] || fail "the message gives no reason"
  read -r _ _ _ _ _ _ _ x y <<<"$(head -n 1 <<<"$out")"
  xdotool mousemove "$x" "$y" click 1
  helper dialogs message-gone 保存失败 3000 >/dev/null || fail "the message stays after OK"
  # The file the user meant to replace is still the old one, whole, and nothing else was left behind.
  cmp -s "$SC/out/kept.png" "$SC/kept-before" || fail "kept.png lost its old bytes ($(stat -c %s "$SC/out/kept.png" 2>&1))"
  [ "$(ls -A "$SC/out")" = kept.png ] || fail "files left in the folder: $(ls -A "$SC/out")"
  # The capture is still there and answers: the region moves by (40,20), to (240,270)-(560,500) ...
  sel_drag 360 365 400 385
  sel_wait_pixels "555 495 known" "220 300 dimmed"
  # ... its bottom-right corner, pressed 2 pixels inside, shrinks it to (240,270)-(400,390) ...
  sel_drag 558 498 400 390
  sel_wait_pixels "395 385 known" "405 300 dimmed" "320 460 dimmed"
  expect_running "after the failed save"
  # ... and a save small enough to be written works and ends it.
  sel_ctrl_s_save 320 330
  sel_type_save_name "$(cv_winpath "$SC/out/shot.png")"
  expect_exit 0
  [ "$(sel_file_format "$SC/out/shot.png")" = png ] || fail "shot.png is not PNG"
  sel_expect_exact "$SC/out/shot.png" 240 270 400 390
}

scenario_busy_clipboard_keeps_capture() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag 150 120 450 350
  helper clipboard hold 4000 >"$SC/hold.log" 2>&1 &
  local holder=$!; SC_PIDS+=("$holder")
  wait_line "$SC/hold.log" '^holding' 10 || fail "the clipboard holder did not start"
  sel_double_click 300 230
  # Then the region is moved by (40,30); once the overlay shows that, the double-click has been handled.
  sleep 0.6
  sel_drag 300 230 340 260
  sel_wait_pixels "480 370 known" "160 200 dimmed"
  kill -0 "$holder" 2>/dev/null || fail "the clipboard was released before the check"
  expect_running "after a double-click with the clipboard held"
  [ "$(helper dialogs others | tr -d '\r')" = 0 ] || fail "a message appeared: $(helper dialogs list)"
  wait "$holder" || fail "the clipboard holder failed"
  [ "$(helper clipboard show | tr -d '\r')" = $'text: corvane-e2e-marker\nbitmap: no' ] || fail "clipboard changed"
  # Released: the next double-click copies the region where it is now, (190,150)-(490,380).
  sel_double_click 340 260
  expect_exit 0
  sel_expect_copied 190 150 490 380
}

scenario_tiny_selection_outputs_nothing() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag 300 300 305 305
  sel_wait_pixels "290 310 dimmed" "700 600 dimmed"
  screenshot tiny
  # Nothing inside a 5-pixel frame: no copy, no save dialog by right click or Ctrl+S.
  sel_double_click 302 302
  xdotool mousemove 303 303 click 3
  xdotool mousemove 303 303 sleep 0.1 key ctrl+s
  expect_not_found "a save dialog opened for a 5-pixel region" dialogs wait-save 1500
  # A double-click outside the region is no copy either.
  sleep 0.6
  sel_double_click 700 600
  # A right click outside throws the region away and a new one is drawn; once the overlay shows it,
  # everything before has been handled.
  sleep 0.6
  xdotool mousemove 900 700 click 3
  sel_drag 400 400 600 520
  sel_wait_pixels "500 450 known" "700 600 dimmed" "310 310 dimmed"
  expect_running "after double-clicks on a tiny region and outside the region"
  [ "$(helper dialogs others | tr -d '\r')" = 0 ] || fail "a dialog appeared: $(helper dialogs list)"
  expect_no_output
  sel_double_click 500 460
  expect_exit 0
  sel_expect_copied 400 400 600 520
}
