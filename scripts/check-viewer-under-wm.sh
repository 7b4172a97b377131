#!/bin/sh
# Plays the demo's protected album under a real window manager and checks that
# the viewer, not the main window, is the active and topmost window once the
# password has been typed, and that Esc then ends the show.
#
#   scripts/check-viewer-under-wm.sh [DISPLAY_NUMBER] [SCREENSHOT_FOLDER]
#
# Needs Xvfb, openbox, xdotool and xprop (x11-utils); imagemagick's `import`
# for the screenshots. Uses a fresh home folder, so the window has its
# default size and the grid its default layout. Exit status 0 when all holds.
set -eu
cd "$(dirname "$0")/.."
display=":${1:-15}"
shots=${2:-}
program=build/bin/quorbell
demo=build/share/quorbell/demo/デモ.cov
[ -x "$program" ] && [ -f "$demo" ] || { echo "build the program and the demo first" >&2; exit 2; }

[ ! -e "/tmp/.X11-unix/X${display#:}" ] || { echo "display $display is in use" >&2; exit 2; }

work=$(mktemp -d)
pids=""
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids="$! $pids"
export DISPLAY="$display" HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
sleep 1
openbox >"$work/openbox.log" 2>&1 &
pids="$! $pids"
sleep 1
"$program" "$demo" >"$work/program.log" 2>&1 &
pids="$! $pids"

active_name() { xdotool getwindowname "$(xdotool getactivewindow)"; }
topmost() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //'; }
shot() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

main=$(xdotool search --sync --name 'デモ.cov - Quorbell' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
# ひみつ is the 19th shown album: row 3, column 5 of cells 100 wide, 103 and
# 117 apart, the first at (10, 33).
xdotool mousemove $((X + 10 + 4 * 103 + 50)) $((Y + 33 + 2 * 117 + 50)) click --repeat 2 --delay 80 1
sleep 2
[ "$(active_name)" = "ﾊﾟｽﾜｰﾄﾞの入力" ] || fail "no password prompt (active: $(active_name))"
shot 1-password
xdotool type --delay 50 nope
xdotool key Return
sleep 1.5
[ "$(active_name)" = "開く" ] || fail "no wrong-password message (active: $(active_name))"
shot 2-wrong-password
xdotool key Return
sleep 1.5
xdotool type --delay 50 demo
xdotool key Return
sleep 2.5
viewer=$(xdotool getactivewindow)
[ "$viewer" != "$main" ] || fail "the main window is active after the password"
xprop -id "$viewer" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the active window is not the full-screen viewer"
[ $(($(topmost))) -eq "$viewer" ] || fail "the viewer is not the topmost window"
shot 3-after-password
xdotool key Escape
sleep 1.5
[ "$(xdotool getactivewindow)" = "$main" ] || fail "Esc did not end the show"
shot 4-after-esc
echo "ok: the viewer was active and topmost after the password, and Esc ended the show"
