#!/usr/bin/env bash
# Smoke test of the program on a virtual display: it starts on a fresh program folder without
# its splash window, its main window appears with something drawn in it, and F9 ends it with
# exit status 0. Every wait is bounded; the whole run stays well under 30 seconds.
#
#   smoke-ravelo.sh PROGRAM RUN_RAVELO SCREENSHOT
set -uo pipefail
program=$1 run_ravelo=$2 shot=$3

for tool in xvfb-run xdotool import convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "smoke: $tool is missing (scripts/install-deps installs it)" >&2
    exit 77
  fi
done
if [ ! -x "$program" ]; then
  echo "smoke: $program is not built" >&2
  exit 1
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
"$run_ravelo" --layout "$home" || { echo "smoke: laying out the program folder failed" >&2; exit 1; }

inner=$(mktemp)
trap 'rm -rf "$home" "$inner"' EXIT
cat > "$inner" <<'INNER'
set -uo pipefail
program=$1 home=$2 shot=$3
cd "$home"
RAVELO_HOME="$home" "$program" /NoSplash &
pid=$!
fail() { echo "smoke: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }

# The main window is the 660 x 560 one; a question the start-up asks meanwhile (a box with the
# program's title) is answered with Escape, its cancelling choice.
wid=
for _ in $(seq 1 150); do        # up to 15 s for the main window
  for w in $(xdotool search --onlyvisible --name '^Quenzel 2009$' 2>/dev/null); do
    size=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')
    if [ "$size" = 660x560 ]; then
      wid=$w
    else
      timeout 5 xdotool windowfocus --sync "$w" && xdotool key Escape
    fi
  done
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
  sleep 0.1
done
[ -n "$wid" ] || fail "no window titled 'Quenzel 2009' appeared"
sleep 1                          # let it paint
import -window root "$shot" || fail "no screenshot"
colours=$(convert "$shot" -format '%k' info:)
echo "smoke: window $wid, screenshot $shot with $colours colours"
[ "$colours" -gt 16 ] || fail "the screen is blank ($colours colours)"

timeout 5 xdotool windowfocus --sync "$wid" || fail "cannot focus the window"
xdotool key F9
for _ in $(seq 1 100); do        # up to 10 s to end
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "F9 did not end the program"; fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "smoke: exit status $status" >&2; exit 1; }
echo "smoke: F9 ended the program with status 0"
INNER
timeout 30 xvfb-run -a -s "-screen 0 1024x768x24" bash "$inner" "$program" "$home" "$shot"
