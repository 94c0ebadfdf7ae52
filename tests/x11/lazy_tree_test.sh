#!/usr/bin/env bash
# The tree pane gives a closed Area's Locations to its control only when something needs them.
# Every way a person reaches them in the real window is tried here: tarnwick.exe runs under Wine's
# X11 driver on an Xvfb display with the sample scenery set and every Area closed, xdotool clicks,
# types and drags, and window-probe.exe reads the control's items from outside without opening
# anything itself (held-children, held-count), so what it finds the program put there.
#
#   tests/x11/lazy_tree_test.sh TARNWICK_EXE PROBE_EXE
#
# Exits 77 (skipped) without xvfb-run or xdotool. Leaves screenshots in the work folder
# (build/windows/x11-lazy-tree).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  x11_run x11-lazy-tree 1024x768x24 "$0" "$1" "$2"
  exit $?
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
# The Locations the control holds under an Area, or a word saying the Area is not in it.
# Presses the left button at X0 Y0 and moves it in small steps to X1 Y1, as a hand does; the
# caller lets go.
press_and_glide() {  # press_and_glide X0 Y0 X1 Y1
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  for step in $(seq 12); do
    xdotool mousemove $(($1 + ($3 - $1) * step / 12)) $(($2 + ($4 - $2) * step / 12))
    sleep 0.05
  done
  sleep 0.3
}
held() { p held-children "$1" || echo "no item '$1' in the control"; }

# Moves the mouse to a point the probe names ("x y") and clicks COUNT times.
click_at() {  # click_at WHAT COUNT PROBE-ARGS...
  local what=$1 count=$2 x y
  shift 2
  read -r x y < <(p "$@")
  if [ -z "${x:-}" ]; then
    echo "FAILED: cannot find $what on the screen"
    failures=$((failures + 1))
    return 1
  fi
  xdotool mousemove "$x" "$y" click --repeat "$count" --delay 100 1
  sleep 0.7
}

# The sample set's Locations of the Areas used here, in their files' order.
chicago=$(printf "O'Hare Intl Rwy 27L\nChicago Midway Rwy 31C\nChicago Executive")
paris=$(printf 'Charles de Gaulle Rwy 27L\nOrly Rwy 06\nLe Bourget')
london=$(printf 'Heathrow Rwy 27L\nGatwick Rwy 26L\nLondon City Rwy 27\nStansted Rwy 22')
new_york=$(printf 'John F Kennedy Intl Rwy 04R\nLa Guardia Rwy 22\nTeterboro Rwy 06')
los_angeles=$(printf 'Los Angeles Intl Rwy 25L\nBurbank Bob Hope Rwy 08\nSanta Monica Municipal\nVan Nuys Rwy 16R')
seattle=$(printf 'Seattle-Tacoma Intl Rwy 16L\nSeattle-Tacoma Intl Rwy 34R\nRenton Municipal\nPaine Field Snohomish Co')

open_sample 'MainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=Yes\r\n' || exit 1
sleep 1
shot opened
check "the set is open" "Areas: 12" "$(p status 0)"
check "the control holds only the root and the Areas" 13 "$(p held-count)"
check "a closed Area holds no Locations yet" "" "$(held "Chicago")"

# Each way of opening an Area fills it, in the menu's order; closed and opened again, it keeps
# its Locations once.
click_at "Chicago's button" 1 button-where "Chicago"
shot chicago-button
check "a click on the button opens Chicago" "yes" "$(p expanded "Chicago")"
check "and gives it its Locations" "$chicago" "$(held "Chicago")"
click_at "Chicago's button" 1 button-where "Chicago"
check "a second click closes it" "no" "$(p expanded "Chicago")"
click_at "Chicago's button" 1 button-where "Chicago"
check "reopened, Chicago holds its Locations once" "$chicago" "$(held "Chicago")"
check "the control holds Chicago's three Locations more" 16 "$(p held-count)"

click_at "New York" 2 where "New York"
shot new-york-double-click
check "a double click on the label opens New York" "yes" "$(p expanded "New York")"
check "and gives it its Locations" "$new_york" "$(held "New York")"
click_at "New York" 2 where "New York"
click_at "New York" 2 where "New York"
check "closed and reopened by double clicks, New York holds them once" "$new_york" \
  "$(held "New York")"

click_at "Los Angeles" 1 where "Los Angeles"
check "a click selects Los Angeles and leaves it closed" "Los Angeles no" \
  "$(p selected) $(p expanded "Los Angeles")"
xdotool key Right
sleep 0.7
check "Right opens it" "$los_angeles" "$(held "Los Angeles")"
xdotool key Left
sleep 0.5
check "Left closes it" "no" "$(p expanded "Los Angeles")"
xdotool key Right
sleep 0.7
check "Right again shows its Locations once" "$los_angeles" "$(held "Los Angeles")"

click_at "Seattle" 1 where "Seattle"
xdotool key KP_Add
sleep 0.7
shot seattle-plus
check "+ opens Seattle" "$seattle" "$(held "Seattle")"
check "the selection stays on the Area" "Seattle" "$(p selected)"

# Find into a closed Area: the search selects the Location, opens its Area and shows it in the
# details pane; F2 then edits its label in place.
check "London was never opened" "" "$(held "London")"
click_at "the root" 1 where "World.vis"
xdotool key ctrl+f
if xdotool search --sync --onlyvisible --name '^Search scenery list text$' >/dev/null 2>&1; then
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 50 "Gatwick Rwy 26L"
  shot find-typed
  xdotool key Return
  sleep 1
else
  check "Ctrl+F opens the search box" "shown" "not shown"
fi
shot found
check "Find selects the Location in the closed Area" "Gatwick Rwy 26L" "$(p selected)"
check "its Area is open" "yes" "$(p expanded "London")"
check "with all its Locations" "$london" "$(held "London")"
check "the details pane shows it" "Gatwick Rwy 26L" "$(p detail 5)"
xdotool key F2
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 50 "Gatwick South"
shot find-rename
xdotool key Return
sleep 0.5
check "F2 renames the found Location" "Gatwick South" "$(p selected)"
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z puts its name back" "Gatwick Rwy 26L" "$(p selected)"

# A Location dropped on a closed Area becomes its first; Ctrl+Z takes it back.
check "Paris was never opened" "" "$(held "Paris")"
read -r ox oy < <(p where "O'Hare Intl Rwy 27L")
read -r px py < <(p where "Paris")
if [ -n "${ox:-}" ] && [ -n "${px:-}" ]; then
  press_and_glide "$ox" "$oy" "$px" "$py"
  shot during-drop
  xdotool mouseup 1
  sleep 0.7
else
  check "O'Hare and Paris on the screen" "found" "not found"
fi
shot dropped
check "O'Hare is Paris's first Location" "$(printf "O'Hare Intl Rwy 27L\n%s" "$paris")" \
  "$(p children "Paris")"
check "O'Hare has left Chicago" "$(echo "$chicago" | tail -n +2)" "$(p children "Chicago")"
check "the dropped Location is selected" "O'Hare Intl Rwy 27L" "$(p selected)"
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z puts O'Hare back first in Chicago" "$chicago" "$(p children "Chicago")"
check "and Paris as it was" "$paris" "$(p children "Paris")"

# Two Areas never opened merged by a drop with Shift held: the target holds its Locations and
# then the dragged one's; Ctrl+Z parts them again.
munich=$(printf 'Munich Franz Josef Strauss 26R\nOberpfaffenhofen')
alaska=$(printf 'Anchorage Ted Stevens Rwy 7R\nJuneau Intl\nFairbanks Intl Rwy 2L\nKetchikan Intl')
check "Munich and Alaska were never opened" "|" "$(held "Munich")|$(held "Alaska")"
read -r mx my < <(p where "Munich")
read -r ax ay < <(p where "Alaska")
if [ -n "${mx:-}" ] && [ -n "${ax:-}" ]; then
  press_and_glide "$mx" "$my" "$ax" "$ay"
  xdotool keydown Shift_L
  sleep 0.2
  xdotool mouseup 1
  sleep 0.7
  shot merge-question
  read -r yx yy < <(p button "Tarnwick Confirmation" "Yes")
  xdotool keyup Shift_L
  if [ -n "${yx:-}" ]; then
    xdotool mousemove "$yx" "$yy" click 1
    sleep 0.7
  else
    check "the merge question" "shown" "not shown"
  fi
else
  check "Munich and Alaska on the screen" "found" "not found"
fi
shot merged
check "Alaska holds its Locations and then Munich's" "$(printf '%s\n%s' "$alaska" "$munich")" \
  "$(p children "Alaska")"
check "Munich is gone" "" "$(p areas | grep -x Munich)"
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z gives Alaska back its own" "$alaska" "$(p children "Alaska")"
check "and Munich its own" "$munich" "$(p children "Munich")"

# Edit > New Location on an Area never opened: the new Location comes first, its Area opens with
# all its Locations, and its label is being edited.
hawaii=$(printf 'Honolulu Intl Rwy 8L\nKahului Rwy 2\nKona Intl')
check "Hawaii was never opened" "" "$(held "Hawaii")"
winexe="Z:$(echo "$exe" | tr / '\\')"
read -r ex ey < <(p menu-where "$winexe" Edit)
read -r dx dy < <(p menu-item-offset "$winexe" Edit "New Location")
click_at "Hawaii" 1 where "Hawaii"
if [ -n "${ex:-}" ] && [ -n "${dx:-}" ]; then
  xdotool mousemove "$ex" "$ey" click 1
  sleep 0.5
  read -r ox oy < <(p menu-open)
  xdotool mousemove $((ox + dx)) $((oy + dy)) click 1
  sleep 0.7
  xdotool type --delay 50 "Hilo Intl"
  shot new-location
  xdotool key Return
  sleep 0.5
else
  check "the Edit menu and its New Location on the screen" "found" "not found"
fi
check "the typed Location is selected" "Hilo Intl" "$(p selected)"
check "Hawaii is open with it first" "yes $(printf 'Hilo Intl\n%s' "$hawaii")" \
  "$(p expanded "Hawaii") $(held "Hawaii")"

shot after
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null

# Find into a closed Area far below the window's end (200 Areas of 3 Locations): only that Area is
# filled, and the found Location is brought into view.
big=$(p generate "$winwork\\big" 4 5 10 3)
wine "$exe" "$big" </dev/null >/dev/null 2>&1 &
program=$!
if p wait-count 801 >/dev/null; then
  sleep 1
  check "the control holds only the root and the 200 Areas" 201 "$(p held-count)"
  click_at "the root" 1 where "World.vis"
  xdotool key ctrl+f
  if xdotool search --sync --onlyvisible --name '^Search scenery list text$' >/dev/null 2>&1; then
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "Airfield 3.4.9 Runway 10"
    xdotool key Return
    sleep 1
  else
    check "Ctrl+F opens the search box on the large set" "shown" "not shown"
  fi
  shot found-far
  check "Find selects the far Location" "Airfield 3.4.9 Runway 10" "$(p selected)"
  check "its Area is open" "yes" "$(p expanded "Region 3-4-9")"
  check "it is in view" "shown" "$(p where "Airfield 3.4.9 Runway 10" >/dev/null && echo shown)"
  check "only its Area was filled" 204 "$(p held-count)"
  check "the details pane shows it" "Airfield 3.4.9 Runway 10" "$(p detail 5)"
else
  check "the large set opens" "801 items" "$(p status 0)"
fi
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $work"
  exit 1
fi
echo "every lazy path behaved; screenshots in $work"
