# Scenarios of the tool bars beside a fixed region: where the main bar goes, the option bar and the
# pointer under a chosen tool, and the main bar's undo, save, close and done buttons, all clicked with
# the real pointer. Sourced by tests/e2e/run.sh, which provides the steps they are written in; the
# drags, pixel checks and save dialog steps are those of selection.sh.
#
# Where things go, in screen pixels, beside a region (l, t, r, b) on the 1280 x 800 screen:
#   main bar    368 x 44, from l when r < 368, else ending at r; its top 5 below the region while it
#               stays 20 clear of the screen's bottom, else 5 inside the region's top when the screen
#               has less than 80 rows outside the region, else 5 above the region.
#               Buttons 40 x 40 at its top: tools 0..4 from its left, a 5-pixel separator, then
#               6 undo, 7 save, 8 close, 9 done.
#   option bar  338 x 40 under the main bar's left, 13 below it: buttons 36 x 36, three sizes, a
#               6-pixel separator, six colours.
#   pointer     20 x 10 on the option bar's top edge, 10 right of the chosen tool button's left.
# The bars are painted in one face colour, the same for both; a chosen tool's button is drawn pressed.

SCENARIOS+=(palette_tool_shows_options_then_esc palette_undo_starts_over palette_save_cancel_then_close
            palette_done_copies)
ABOUT+=(
  [palette_tool_shows_options_then_esc]="the main bar below the region; a tool button shows the option bar and the pointer; Esc still ends it"
  [palette_undo_starts_over]="the main bar inside the region's top; undo without shapes goes back to choosing a region"
  [palette_save_cancel_then_close]="保存 opens the save dialog, Cancel keeps the capture; 关闭 ends it with 1 and no output"
  [palette_done_copies]="the main bar above the region; 完成 copies the region and ends with 0"
)

# ---------------------------------------------------------------------------------------------------
# Steps of these scenarios.

# Sets MAIN (l t r b) to the main bar's rectangle beside region L T R B, and OPTION to the option bar's.
pal_place() {
  local l=$1 t=$2 r=$3 b=$4 left top
  if [ "$r" -lt 368 ]; then left=$l; else left=$((r - 368)); fi
  if [ $((b + 5 + 44)) -lt $((SCREEN_H - 20)) ]; then top=$((b + 5))
  elif [ $((SCREEN_H - (b - t))) -lt 80 ]; then top=$((t + 5))
  else top=$((t - 5 - 44)); fi
  MAIN=("$left" "$top" $((left + 368)) $((top + 44)))
  OPTION=("$left" $((top + 44 + 13)) $((left + 338)) $((top + 44 + 13 + 40)))
}

# The left edge of main bar button I.
pal_button_left() { if [ "$1" -lt 5 ]; then echo $((MAIN[0] + 40 * $1)); else echo $((MAIN[0] + 5 + 40 * ($1 - 1))); fi; }

# Clicks main bar button I in its middle.
pal_click() { xdotool mousemove --screen 0 $(($(pal_button_left "$1") + 20)) $((MAIN[1] + 20)) sleep 0.1 click 1; }

# Points inside the bars that no icon covers: 3 pixels in from each button's left, at half height.
# Main bar buttons except those given; option bar buttons all.
pal_main_gaps() {
  local i skip=" $* " out=""
  for i in 0 1 2 3 4 6 7 8 9; do
    [[ $skip == *" $i "* ]] || out+=" $(($(pal_button_left "$i") + 3)),$((MAIN[1] + 20))"
  done
  echo "$out"
}
pal_option_gaps() {
  local i x out=""
  for i in 0 1 2 4 5 6 7 8 9; do
    if [ "$i" -lt 3 ]; then x=$((OPTION[0] + 36 * i)); else x=$((OPTION[0] + 6 + 36 * (i - 1))); fi
    out+=" $((x + 3)),$((OPTION[1] + 18))"
  done
  echo "$out"
}

# "R G B" lines from ImageMagick's text format.
pal_rgb_lines() { sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3/p'; }

# "R G B" of each point X,Y given, in screenshot NAME.
pal_rgb_at() {
  local name=$1 p fmt=""; shift
  for p in "$@"; do fmt+="%[fx:int(255*p{$p}.r+0.5)] %[fx:int(255*p{$p}.g+0.5)] %[fx:int(255*p{$p}.b+0.5)]\n"; done
  convert "$SC/$name.png" -format "$fmt" info:
}

# The distinct colours of the outermost ring of pixels of rectangle L T R B in screenshot NAME.
pal_ring_colours() {
  local name=$1 l=$2 t=$3 r=$4 b=$5
  local w=$((r - l)) h=$((b - t))
  convert "$SC/$name.png" \
    \( -clone 0 -crop "${w}x1+$l+$t" +repage \) \( -clone 0 -crop "${w}x1+$l+$((b - 1))" +repage \) \
    \( -clone 0 -crop "1x$h+$l+$t" +repage -rotate 90 \) \( -clone 0 -crop "1x$h+$((r - 1))+$t" +repage -rotate 90 \) \
    -delete 0 +append -unique-colors -depth 8 txt:- | pal_rgb_lines
}

# Number of pixels of rectangle X Y W H in screenshot NAME that do not show the desktop as KIND says:
# known (the reference picture) or dimmed (the reference blended with black at 155/255, give or take 1).
pal_count_not() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 kind=$6
  paste -d ' ' <(convert "$SC/$name.png" -crop "${w}x$h+$x+$y" -depth 8 txt:- | pal_rgb_lines) \
               <(convert "$REFERENCE" -crop "${w}x$h+$x+$y" -depth 8 txt:- | pal_rgb_lines) |
    awk -v dim="$([ "$kind" = dimmed ] && echo 1 || echo 0)" '
      { bad = 0
        for (i = 1; i <= 3; i++) {
          want = $(i + 3); if (dim) want = int((want * 155 + 127) / 255); d = $i - want
          if (d > 1 || d < -1 || (!dim && d != 0)) bad = 1
        }
        n += bad }
      END { print n + 0 }'
}

# pal_expect_bar NAME WHAT L T R B GAPS: waits until screenshot NAME shows a bar at exactly (L,T)-(R,B):
# its outermost ring of pixels one colour, that of the bars seen before in the scenario, and so are
# the points GAPS ("x,y ..."). The pixels right around the rectangle are checked by the caller, whose
# region decides whether they are the desktop or the dimmed desktop.
PAL_FACE=""
pal_expect_bar() {
  local name=$1 what=$2 l=$3 t=$4 r=$5 b=$6 gaps=$7 ring tries=40
  while :; do
    screenshot "$name"
    ring=$(pal_ring_colours "$name" "$l" "$t" "$r" "$b")
    [ "$(wc -l <<<"$ring")" = 1 ] && break
    expect_running "before the $what showed"
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "no $what at ($l,$t)-($r,$b): its edge has $(wc -l <<<"$ring") colours (see $name.png)"
    sleep 0.25
  done
  [ -z "$PAL_FACE" ] || [ "$ring" = "$PAL_FACE" ] || fail "the $what's face is $ring, the other bar's $PAL_FACE"
  PAL_FACE=$ring
  pal_expect_face "$name" "$what" "$gaps"
  note "$what at ($l,$t)-($r,$b), face $ring"
}

# Fails unless the points GAPS ("x,y ...") of screenshot NAME are all in the bars' face colour.
pal_expect_face() {
  local name=$1 what=$2 gaps=$3 p
  # shellcheck disable=SC2086
  p=$(pal_rgb_at "$name" $gaps | grep -vxF "$PAL_FACE" | head -n 1) || true
  [ -z "$p" ] || fail "the $what has $p inside, not the face $PAL_FACE (see $name.png)"
}

# pal_expect_main NAME L T R B: the main bar where region L T R B puts it, with MAIN and OPTION set.
pal_expect_main() {
  local name=$1; shift
  pal_place "$@"
  pal_expect_bar "$name" "main bar" "${MAIN[@]}" "$(pal_main_gaps)"
}

# ---------------------------------------------------------------------------------------------------

scenario_palette_tool_shows_options_then_esc() {
  mark_clipboard
  start_pattern
  start_corvane
  sel_drag 100 100 400 300
  # Below the region, ending at its right: (32,305)-(400,349).
  pal_expect_main bar 100 100 400 300
  sel_wait_pixels "31 327 dimmed" "400 327 dimmed" "200 304 dimmed" "200 349 dimmed" "250 200 known"
  # No tool yet: no option bar and no pointer.
  [ "$(pal_count_not bar "${OPTION[0]}" $((OPTION[1] - 10)) 338 50 dimmed)" = 0 ] ||
    fail "something shows where the option bar goes before a tool is chosen (see bar.png)"

  # The rectangle tool: the option bar 13 below the main bar, (32,362)-(370,402), and the pointer
  # under the rectangle's button, (82,352)-(102,362). The mouse is then moved off the bar (a button
  # under it is drawn raised), onto the dimmed desktop.
  pal_click 1
  xdotool mousemove 700 600
  pal_expect_bar tool "option bar" "${OPTION[@]}" "$(pal_option_gaps)"
  sel_wait_pixels "31 380 dimmed" "370 380 dimmed" "200 402 dimmed" "200 361 dimmed" "60 351 dimmed"
  local px=$((MAIN[0] + 10 + 40)) py=$((OPTION[1] - 10))
  [ "$(pal_count_not tool $((px + 10)) "$py" 1 10 dimmed)" -gt 0 ] ||
    fail "no pointer in ($px,$py)-($((px + 20)),$((py + 10))): its middle column is the dimmed desktop (see tool.png)"
  [ "$(pal_count_not tool $((MAIN[0] + 10)) "$py" 20 10 dimmed)" = 0 ] ||
    fail "something shows under the arrow's button, where the pointer is not (see tool.png)"
  # The rectangle's button is drawn pressed, the other buttons as before.
  local rect_gap; rect_gap=$(pal_rgb_at tool "$(($(pal_button_left 1) + 3)),$((MAIN[1] + 20))")
  [ "$rect_gap" != "$PAL_FACE" ] || fail "the rectangle's button does not look pressed (see tool.png)"
  pal_expect_face tool "main bar" "$(pal_main_gaps 1)"

  # The keyboard is still the capture's: Esc ends it with nothing out.
  pointer_to_corner
  xdotool key Escape
  expect_exit 1
  expect_capture_gone
  expect_no_output
}

scenario_palette_undo_starts_over() {
  start_pattern
  start_corvane
  # 765 of 800 rows high, reaching to within 15 of the bottom: the bar goes inside along the top; the
  # region ends left of 368, so the bar starts at its left: (40,25)-(408,69).
  sel_drag 40 20 330 785
  pal_expect_main bar 40 20 330 785
  sel_wait_pixels "408 47 dimmed" "200 24 known" "200 69 known" "500 400 dimmed"

  # Undo with no shapes: the region, the dimming and the bar are gone. The pointer goes on to the
  # right, where the magnifier beside it covers nothing looked at here.
  pal_click 6
  det_point_at 1000 600
  sel_wait_pixels "500 400 known" "380 200 known" "700 100 known"
  screenshot undone
  local n; n=$(pal_count_not undone "${MAIN[0]}" "${MAIN[1]}" 368 44 known)
  [ "$n" = 0 ] || fail "$n pixels of the bar's place are not the desktop after undo (see undone.png)"

  # A new region from scratch, copied by a double-click inside it.
  sel_drag 600 150 900 400
  sel_wait_pixels "750 250 known" "200 400 dimmed" "950 250 dimmed"
  pal_expect_main again 600 150 900 400
  sel_double_click 750 275
  expect_exit 0
  sel_expect_copied 600 150 900 400
}

scenario_palette_save_cancel_then_close() {
  mark_clipboard
  start_pattern
  start_corvane
  # Below the region, from its left: (50,455)-(418,499).
  sel_drag 50 200 330 450
  pal_expect_main bar 50 200 330 450
  sel_wait_pixels "49 477 dimmed" "418 477 dimmed" "150 454 dimmed" "150 499 dimmed"
  pal_click 7
  sel_wait_save_dialog
  xdotool mousemove "$SAVE_CANCEL_X" "$SAVE_CANCEL_Y" click 1
  sel_expect_save_gone
  sleep 0.5
  expect_running "after Cancel in the save dialog opened by 保存"
  # The capture goes on with its bar where it was.
  pal_expect_bar after-cancel "main bar" "${MAIN[@]}" "$(pal_main_gaps)"
  pal_click 8
  expect_exit 1
  expect_capture_gone
  expect_no_output
}

scenario_palette_done_copies() {
  mark_clipboard
  start_pattern
  start_corvane
  # Too low for the bar below, with room above: above it, ending at its right: (632,371)-(1000,415).
  sel_drag 600 420 1000 760
  pal_expect_main bar 600 420 1000 760
  sel_wait_pixels "631 393 dimmed" "1000 393 dimmed" "700 370 dimmed" "700 415 dimmed" "800 600 known"
  pal_click 9
  expect_exit 0
  expect_capture_gone
  sel_expect_copied 600 420 1000 760
}
