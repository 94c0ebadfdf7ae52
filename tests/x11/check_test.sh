#!/usr/bin/env bash
# The menu check's list as a person uses it: tarnwick.exe runs under Wine's X11 driver on an Xvfb
# display with the sample scenery set; a value is edited with the real mouse and keyboard, F7 opens
# the list, a double click and Enter on its rows select their items in the tree, and
# window-probe.exe reads the list and the tree back from outside the program.
#
#   tests/x11/check_test.sh TARNWICK_EXE PROBE_EXE
#
# Exits 77 (skipped) without xvfb-run or xdotool. Leaves screenshots in the work folder
# (build/windows/x11-check).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  x11_run x11-check 1024x768x24 "$0" "$1" "$2"
  exit $?
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
where() { p where "$1"; }

open_sample 'MainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=Yes\r\n' || exit 1
sleep 1

# O'Hare's altitude typed beyond what the simulator takes.
read -r cx cy < <(where "Chicago")
xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 100 1
sleep 0.5
read -r ox oy < <(where "O'Hare Intl Rwy 27L")
xdotool mousemove "$ox" "$oy" click 1
sleep 0.5
read -r vx vy < <(p detail-where 8)
xdotool mousemove "$vx" "$vy" click 1
sleep 0.3
xdotool key Return
sleep 0.3
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "20000"
xdotool key Return
sleep 0.5
check "the altitude as typed" "20000" "$(p detail 8)"

# F7 in the tree opens the list, in the menu's order.
read -r tx ty < <(where "World.vis")
xdotool mousemove "$tx" "$ty" click 1
sleep 0.3
xdotool key F7
sleep 1.5
shot check-list
check "the list holds both problems" \
  "$(printf '%s\n%s' \
    'long-title|San Francisco Bay Area||saved as "San Francisco Bay Ar" (22 characters)' \
    "out-of-range|Chicago|O'Hare Intl Rwy 27L|altitude 20000 ft is above 15000 ft")" \
  "$(p check-rows)"

# A double click on the second row selects O'Hare in the tree.
read -r rx ry < <(p check-where 1)
if [ -n "${rx:-}" ]; then
  xdotool mousemove "$rx" "$ry" click --repeat 2 --delay 100 1
  sleep 0.7
  check "a double click selects the row's Location" "O'Hare Intl Rwy 27L" "$(p selected)"
else
  check "the list's second row on the screen" "found" "not found"
fi
# Up and Enter in the list: the first row's Area.
xdotool key Up Return
sleep 0.7
check "Enter selects the row's Area" "San Francisco Bay Area" "$(p selected)"
shot check-enter

# Alt+M, the button's key, marks every listed item: the Area with its Locations, and O'Hare.
xdotool key alt+m
sleep 0.7
check "Mark all marks the listed items" \
  "$(printf '%s\n' "San Francisco Bay Area" "San Francisco Intl Rwy 28L" "Oakland Intl Rwy 29" \
    "San Jose Intl Rwy 30L" "Half Moon Bay" "O'Hare Intl Rwy 27L")" \
  "$(p marked)"

# Escape closes the list; the program goes on.
xdotool key Escape
sleep 0.5
check "Escape closes the list" "closed" "$(p check-rows >/dev/null 2>&1 && echo open || echo closed)"
check "the window takes input" "yes" "$(p enabled)"

kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $work"
  exit 1
fi
echo "the check list behaved; screenshots in $work"
