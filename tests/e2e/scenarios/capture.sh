# Scenarios of the capture itself: the frozen overlay, the ways it ends, the About box.
# Sourced by tests/e2e/run.sh, which provides the steps they are written in.

SCENARIOS+=(frozen_full_screen later_window_hidden esc_abandons close_message enter_abandons about_box
  library_missing_exits_2)
ABOUT+=(
  [frozen_full_screen]="covers the virtual screen and shows the frozen desktop pixel for pixel"
  [later_window_hidden]="a window opened after the start does not appear on the overlay"
  [esc_abandons]="Esc ends the capture with exit code 1 and no output"
  [close_message]="WM_CLOSE ends the capture through the orderly close, exit code 0"
  [enter_abandons]="Enter ends the capture with exit code 1 and no output"
  [about_box]="the About item of the system menu (Alt+Space) opens the About box above the capture"
  [library_missing_exits_2]="with GDI+ unavailable the capture still shows, then says so at its first use and exits 2"
)

scenario_frozen_full_screen() {
  start_pattern
  start_corvane
  # With the known desktop gone, only a capture that paints its frozen image still shows it.
  stop_pattern
  expect_screen_is_reference overlay
  helper sendmsg close >/dev/null
  expect_exit 0
}

scenario_later_window_hidden() {
  start_pattern
  start_corvane
  # A window opened now, over the middle of the screen, in a colour the pattern never has there.
  start_box 400 300 320 200 FF00FF
  stop_pattern
  sleep 1.2   # one tick of the capture's foreground timer
  screenshot window-opened
  # Without a window manager, Wine maps a new X window above all others, whatever its place in the
  # Windows Z order (below the topmost capture). Restore the stacking a window manager would keep;
  # the exposed area must then be repainted from the frozen image.
  raise_capture
  helper sendmsg repaint >/dev/null || fail "capture window gone"
  expect_screen_is_reference overlay-after-window
  helper sendmsg close >/dev/null
  expect_exit 0
}

scenario_esc_abandons() {
  mark_clipboard
  start_pattern
  start_corvane
  pointer_to_corner
  xdotool key Escape
  expect_exit 1
  expect_capture_gone
  expect_no_output
}

scenario_close_message() {
  mark_clipboard
  start_pattern
  start_corvane
  helper sendmsg close >/dev/null || fail "no capture window to close"
  expect_exit 0
  expect_capture_gone
  expect_no_output
}

scenario_enter_abandons() {
  mark_clipboard
  start_pattern
  start_corvane
  pointer_to_corner
  xdotool key Return
  expect_exit 1
  expect_capture_gone
  expect_no_output
}

scenario_about_box() {
  start_pattern
  start_corvane
  # The user's way: Alt+Space opens the system menu; Up wraps to its last item, "关于 Corvane(&A)...",
  # and Return chooses it. (Wine puts its own "About Wine" item, with the same mnemonic, above ours,
  # so the letter A alone would pick that one.)
  pointer_to_corner
  xdotool key alt+space
  sleep 0.5
  screenshot system-menu
  xdotool key Up Return
  local out
  out=$(helper sendmsg find-about 5000) || fail "no About box after Alt+Space, Up, Return ($out)"
  note "$out"
  screenshot about
  # The About box is modal above the capture; its OK button closes it and the capture goes on.
  # (Clicked, not keyed: without a window manager Wine leaves the keyboard with the window under the
  # pointer, which the box may not get.)
  local okx oky
  read -r okx oky < <(sed -n 's/.* ok \([0-9-]*\) \([0-9-]*\)$/\1 \2/p' <<<"$out")
  [ "${okx:--1}" -ge 0 ] || fail "the About box has no OK button"
  xdotool mousemove --screen 0 "$okx" "$oky" click 1
  helper sendmsg about-gone 3000 >/dev/null || fail "About box still open after clicking OK"
  kill -0 "$CORVANE_PID" 2>/dev/null || fail "the capture ended together with the About box"
  helper sendmsg close >/dev/null || fail "capture window gone after the About box"
  expect_exit 0
}

scenario_library_missing_exits_2() {
  start_pattern
  # GDI+ disabled for the program alone: it loads at its first use, after the capture shows.
  CV_CORVANE_ENV="WINEDLLOVERRIDES=gdiplus=d" start_corvane
  local out x y
  out=$(helper dialogs wait-message Corvane 10000 | tr -d '\r') || {
    kill -0 "$CORVANE_PID" 2>/dev/null || { wait_exit 1; fail "no message; corvane.exe ended with $EXIT_CODE"; }
    fail "no message ($out)"
  }
  screenshot library-missing
  note "$(tr '\n' '|' <<<"$out")"
  grep -q 'gdiplus.dll' <<<"$out" || fail "the message does not name gdiplus.dll"
  read -r _ _ _ _ _ _ _ x y <<<"$(head -n 1 <<<"$out")"
  xdotool mousemove --screen 0 "$x" "$y" click 1
  expect_exit 2
}
