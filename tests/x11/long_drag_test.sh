#!/usr/bin/env bash
# A drag far down a long tree as a person makes it: tarnwick.exe runs under Wine's X11 driver on
# an Xvfb display with a generated set of 500 closed Areas, xdotool presses on an Area near the
# top, moves below the tree's bottom edge and holds there while the tree scrolls by itself, moves
# back onto the Area it was waiting for and lets go; window-probe.exe reads the tree from outside.
# Then Ctrl+Z and Ctrl+Y, and a release while the pointer is still below the edge.
#
#   tests/x11/long_drag_test.sh TARNWICK_EXE PROBE_EXE
#
# Prints how long the scrolling took to bring the Area into view. Exits 77 (skipped) without
# xvfb-run or xdotool. Leaves screenshots in the work folder (build/windows/x11-long-drag).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  x11_run x11-long-drag 1024x768x24 "$0" "$1" "$2"
  exit $?
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The pointer from where it is to X Y in STEPS small moves, as a hand moves it.
glide() {
  local x0 y0 step
  eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
  x0=$X
  y0=$Y
  for step in $(seq "$3"); do
    xdotool mousemove $((x0 + ($1 - x0) * step / $3)) $((y0 + ($2 - y0) * step / $3))
    sleep 0.03
  done
}

# The 1-based place of an Area in a list of Areas.
place() { grep -nxF "$1" <<<"$2" | cut -d: -f1; }

# The Areas with DRAGGED moved to directly after TARGET, as a drop of one Area onto another does.
moved_after() {
  grep -vxF "$2" <<<"$1" | awk -v target="$3" -v dragged="$2" '{ print } $0 == target { print dragged }'
}

cd "$work"
winwork="Z:$(echo "$work" | tr / '\\')"
# 20 entries of 5 files of 5 Areas of one Location: 500 Areas.
vis=$(p generate "$winwork\\long" 20 5 5 1)
printf '[Settings]\r\nMainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=Yes\r\n' \
  >"$WINEPREFIX/drive_c/windows/Tarnwick.ini"

wine "$exe" "$vis" </dev/null >/dev/null 2>&1 &
program=$!
if ! p wait-count 1001; then
  echo "FAILED: the program did not show the generated set"
  shot failed-start
  kill "$program" 2>/dev/null
  exit 1
fi
sleep 1
check "the set is open" "Areas: 500" "$(p status 0)"

areas_before=$(p areas)
dragged=$(sed -n 3p <<<"$areas_before")
target=$(sed -n 420p <<<"$areas_before")
read -r left top right bottom < <(p tree-edges)
last_shown=$(p shown | tail -1)
echo "the tree shows $(p shown | wc -l) lines, from $(p first-visible) to $last_shown"

# Press on the third Area and move in small steps to 30 pixels below the tree's bottom edge.
read -r x y < <(p where "$dragged")
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousedown 1
sleep 0.2
glide "$x" $((bottom - 10)) 15
glide "$x" $((bottom + 30)) 5
started=$(now_ms)
# Held there, the tree scrolls by itself until the target comes into view. Near it the hand
# goes closer to the edge, slowing the scroll, so a slow look from outside cannot miss it; past
# it (a very slow look), above the top edge to come back.
arrived=""
slowed=""
target_place=$(place "$target" "$areas_before")
first_place=$(place "$last_shown" "$areas_before")
while [ $(($(now_ms) - started)) -lt 120000 ]; do
  shown=$(p shown)
  if grep -qxF "$target" <<<"$shown"; then
    arrived=$(now_ms)
    break
  fi
  last_place=$(place "$(tail -1 <<<"$shown")" "$areas_before")
  [ -n "$last_place" ] || continue
  if [ -z "$slowed" ] && [ $((target_place - last_place)) -lt 80 ]; then
    slowed=$(now_ms)
    slowed_place=$last_place
    glide "$x" $((bottom + 6)) 3
  elif [ "$last_place" -gt "$target_place" ]; then
    glide "$x" $((top - 6)) 3
  fi
done
shot long-drag-scrolling
if [ -z "$arrived" ]; then
  check "the target came into view within two minutes" "$target" "$(p first-visible)"
  xdotool mouseup 1
  kill "$program" 2>/dev/null
  exit 1
fi
if [ -n "$slowed" ]; then
  distance=$((slowed_place - first_place))
  elapsed=$((slowed - started))
  echo "30 px below the edge the tree scrolled $distance Areas in $elapsed ms" \
    "($((distance * 1000 / (elapsed > 0 ? elapsed : 1))) Areas a second, the probe's polling included)"
fi

# Back into the middle of the tree the scrolling stops; then onto the target, and let go.
glide "$x" $(((top + bottom) / 2)) 8
sleep 0.3
read -r tx ty < <(p where "$target")
if [ -z "${tx:-}" ]; then
  check "the target is still in view" "$target" "$(p shown | paste -sd '|')"
else
  glide "$tx" "$ty" 8
  sleep 0.3
  check "the highlight stands on the target" "$target" "$(p drop-highlight)"
  shot long-drag-on-target
fi
xdotool mouseup 1
sleep 0.7
areas_dropped=$(moved_after "$areas_before" "$dragged" "$target")
check "the dragged Area follows the target" "$areas_dropped" "$(p areas)"
check "the dragged Area is selected" "$dragged" "$(p selected)"
shot long-drag-dropped

xdotool key ctrl+z
sleep 1
check "Ctrl+Z puts the Area back" "$areas_before" "$(p areas)"
xdotool key ctrl+y
sleep 1
check "Ctrl+Y drops it again" "$areas_dropped" "$(p areas)"

# Released while the pointer is still below the edge: the drop goes to the highlighted Area,
# read just before the release, although it has scrolled out of view.
xdotool key Home
sleep 1
areas_before=$(p areas)
dragged=$(sed -n 2p <<<"$areas_before")
read -r x y < <(p where "$dragged")
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousedown 1
sleep 0.2
glide "$x" $((bottom - 3)) 15
sleep 0.2
passed=$(p drop-highlight)
# As far below as the screen allows, up to 50 pixels.
read -r _ screen_height < <(xdotool getdisplaygeometry)
out=$((screen_height - 1 - bottom < 50 ? screen_height - 1 - bottom : 50))
glide "$x" $((bottom + out)) 5
start_first=$(p first-visible)
started=$(now_ms)
sleep 2
highlight=$(p drop-highlight)
stopped=$(now_ms)
now_first=$(p first-visible)
shot beyond-edge-before-release
scrolled=$(($(place "$now_first" "$areas_before") - $(place "$start_first" "$areas_before")))
echo "$out px below the edge the tree scrolled $scrolled Areas in $((stopped - started)) ms"
xdotool mouseup 1
sleep 0.7
check "the highlight stayed on the last Area passed" "$passed" "$highlight"
check "which has scrolled out of view" "" "$(p shown | grep -xF "$highlight")"
check "the drop went to the highlighted Area" \
  "$(moved_after "$areas_before" "$dragged" "$highlight")" "$(p areas)"
check "the dropped Area is selected" "$dragged" "$(p selected)"
shot beyond-edge-dropped

kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $work"
  exit 1
fi
echo "the long drags behaved; screenshots in $work"
