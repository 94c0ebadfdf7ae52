#!/usr/bin/env bash
# Drags in the tree pane and edits in the details pane as a person does: tarnwick.exe runs under Wine's X11 driver on an Xvfb
# display with the sample scenery set, xdotool moves the real mouse and holds the real Shift key,
# and window-probe.exe reads the tree back from outside the program.
#
#   tests/x11/gestures_test.sh TARNWICK_EXE PROBE_EXE
#
# tarnwick-cli.exe beside TARNWICK_EXE reads the saved menu back.
#
# Exits 77 (skipped) without xvfb-run or xdotool. Leaves screenshots in the work folder
# (build/windows/x11-gestures).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  x11_run x11-gestures 1024x768x24 "$0" "$1" "$2"
  exit $?
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
# The middle of a node's label on the screen, or nothing.
where() { p where "$1"; }

# A point on the screen: a node's label, or "x y".
point() {
  if [[ "$1" =~ ^-?[0-9]+\ -?[0-9]+$ ]]; then echo "$1"; else where "$1"; fi
}

# Presses the left button on FROM, moves in small steps through each later point as a hand does,
# and lets go at the last one, holding Shift for the release when SHIFT=1.
drag() {
  local from=$1 x y nx ny
  shift
  read -r x y < <(point "$from")
  if [ -z "${x:-}" ]; then
    echo "FAILED: cannot find '$from' on the screen"
    failures=$((failures + 1))
    return 1
  fi
  xdotool mousemove "$x" "$y"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  for to in "$@"; do
    read -r nx ny < <(point "$to")
    if [ -z "${nx:-}" ]; then
      echo "FAILED: cannot find '$to' on the screen"
      failures=$((failures + 1))
      xdotool mouseup 1
      return 1
    fi
    for step in 1 2 3 4 5 6 7 8 9 10 11 12; do
      xdotool mousemove $((x + (nx - x) * step / 12)) $((y + (ny - y) * step / 12))
      sleep 0.05
    done
    x=$nx
    y=$ny
  done
  sleep 0.3
  if [ "${SHIFT:-0}" = 1 ]; then
    xdotool keydown Shift_L
    sleep 0.2
  fi
  shot "during-$(echo "$from" | tr -c 'A-Za-z0-9' _)"
  xdotool mouseup 1
  sleep 0.5
}

open_sample 'MainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=Yes\r\n' || exit 1
sleep 1
check "the set is open" "Areas: 12" "$(p status 0)"

# A Location moves to another Area: open Chicago with a double click, drag O'Hare onto Paris.
read -r cx cy < <(where "Chicago")
xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 100 1
sleep 0.5
paris_before=$(p children "Paris")
drag "O'Hare Intl Rwy 27L" "Paris"
check "O'Hare is Paris's first Location" "$(printf "O'Hare Intl Rwy 27L\n%s" "$paris_before")" \
  "$(p children "Paris")"
check "O'Hare has left Chicago" "$(printf 'Chicago Midway Rwy 31C\nChicago Executive')" \
  "$(p children "Chicago")"
check "the moved Location is selected" "O'Hare Intl Rwy 27L" "$(p selected)"
check "only it is marked" "O'Hare Intl Rwy 27L" "$(p marked)"

# An Area dropped on another with Shift held merges into it after the question, answered Yes.
paris_before=$(p children "Paris")
munich_before=$(p children "Munich")
SHIFT=1 drag "Munich" "Paris"
check "the merge question" \
  "Proceed to merge areas? (Dragged one will be lost, but all attachments moved)." \
  "$(p box "Tarnwick Confirmation")"
shot merge-question
read -r yx yy < <(p button "Tarnwick Confirmation" "Yes")
xdotool keyup Shift_L
if [ -n "${yx:-}" ]; then
  xdotool mousemove "$yx" "$yy" click 1
  sleep 0.7
fi
check "Paris holds its Locations and then Munich's" "$(printf '%s\n%s' "$paris_before" "$munich_before")" \
  "$(p children "Paris")"
check "Munich is gone" "" "$(p areas | grep -x Munich)"
check "Paris is selected" "Paris" "$(p selected)"
check "one Area fewer" "Areas: 11" "$(p status 0)"

# An Area dropped on the root becomes the first Area.
drag "Los Angeles" "World.vis"
check "Los Angeles is the first Area" "Los Angeles" "$(p areas | head -1)"
check "Los Angeles is selected" "Los Angeles" "$(p selected)"

# Released beside the tree, a drag drops on the last node it passed: New York over Paris, then
# straight right into the details pane.
areas_before_new_york=$(p areas)
read -r px py < <(where "Paris")
drag "New York" "Paris" "$((px + 560)) $py"
check "New York follows Paris" "New York" "$(p areas | grep -A1 -x Paris | tail -1)"
check "New York is selected" "New York" "$(p selected)"

# Ctrl+Z takes the drop back and Ctrl+Y makes it again, from the keyboard.
areas_dropped=$(p areas)
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z puts New York back where it was" "$areas_before_new_york" "$(p areas)"
xdotool key ctrl+y
sleep 0.7
check "Ctrl+Y drops it again" "$areas_dropped" "$(p areas)"

# F2 renames the selected item; Ctrl+Z puts the old name back.
read -r px py < <(where "Paris")
xdotool mousemove "$px" "$py" click 1
sleep 0.5
xdotool key F2
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 50 "Paris CDG"
xdotool key Return
sleep 0.5
check "F2 renamed Paris" "Paris CDG" "$(p selected)"
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z put the name back" "Paris" "$(p selected)"

# Shift+F10 opens the tree's context menu at the selection; Escape closes it.
xdotool key shift+F10
sleep 0.7
shot shift-f10-menu
check "Shift+F10 opens the context menu" "open" \
  "$(p menu-open >/dev/null 2>&1 && echo open || echo closed)"
xdotool key Escape
sleep 0.5

# Ctrl+X on a Location, a click on another Area, Ctrl+V: the Location becomes that Area's first.
# Ctrl+Z puts it back.
paris_before=$(p children "Paris")
hawaii_before=$(p children "Hawaii")
read -r ox oy < <(where "O'Hare Intl Rwy 27L")
xdotool mousemove "$ox" "$oy" click 1
sleep 0.5
xdotool key ctrl+x
sleep 0.3
check "Ctrl+X moves nothing yet" "$paris_before" "$(p children "Paris")"
read -r hx hy < <(where "Hawaii")
xdotool mousemove "$hx" "$hy" click 1
sleep 0.5
xdotool key ctrl+v
sleep 0.7
shot cut-paste
check "Ctrl+V made O'Hare Hawaii's first Location" \
  "$(printf "O'Hare Intl Rwy 27L\n%s" "$hawaii_before")" "$(p children "Hawaii")"
check "O'Hare has left Paris" "" "$(p children "Paris" | grep -x "O'Hare Intl Rwy 27L")"
check "the pasted Location is selected" "O'Hare Intl Rwy 27L" "$(p selected)"
check "only it is marked, though Ctrl was held for the paste" "O'Hare Intl Rwy 27L" "$(p marked)"
xdotool key ctrl+z
sleep 0.7
check "Ctrl+Z puts O'Hare back in Paris" "$paris_before" "$(p children "Paris")"
check "and Hawaii as it was" "$hawaii_before" "$(p children "Hawaii")"

# A Location's values edited in place: click the Location, click a value, Enter opens the edit
# box, what is typed is applied by Down (moving on to the next row) and Enter; Escape applies
# nothing. Then File, Save results, and the saved menu holds the typed values.
read -r ox oy < <(where "O'Hare Intl Rwy 27L")
xdotool mousemove "$ox" "$oy" click 1
sleep 0.5
check "the details show the Location" "O'Hare Intl Rwy 27L" "$(p detail 5)"
latitude=$(p detail 6)
read -r vx vy < <(p detail-where 8)
xdotool mousemove "$vx" "$vy" click 1
sleep 0.3
altitude=$(p detail 8)
xdotool key Return
sleep 0.3
check "Enter opens the edit box with the value" "$altitude" "$(p edit-box)"
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "700"
xdotool key Down
sleep 0.5
check "Down applies and opens the next row" "$(p detail 9)" "$(p edit-box)"
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "45"
xdotool key Return
sleep 0.5
check "the altitude as typed" "700" "$(p detail 8)"
check "the heading as stored" "045" "$(p detail 9)"
check "Enter closes the edit box" "closed" "$(p edit-box >/dev/null && echo open || echo closed)"
read -r vx vy < <(p detail-where 6)
xdotool mousemove "$vx" "$vy" click 1
xdotool key Return
sleep 0.3
xdotool type --delay 50 "N10:00:00"
xdotool key Escape
sleep 0.3
check "Escape applies nothing" "$latitude" "$(p detail 6)"
shot details-edited
xdotool key alt+f
sleep 0.5
xdotool key s
cli="$(dirname "$exe")/tarnwick-cli.exe"
saved="$winwork\\sample\\Scenery\\Menus\\Scenery\\World_MENU.bgl"
for tries in 1 2 3 4 5 6 7 8 9 10; do
  [ -f "$work/sample/Scenery/Menus/Scenery/World_MENU.bgl" ] && break
  sleep 0.5
done
sleep 1
check "the saved menu holds the edit" "Altitude 700 ft  Heading 045" \
  "$(wine "$cli" bgl "$saved" 2>/dev/null | tr -d '\r' | grep -A1 "O'Hare Intl Rwy 27L" |
     grep -o 'Altitude.*Heading [0-9]*')"

shot after
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null

# A value typed into the edit box, then Edit > Delete Location chosen with the mouse: with
# Confirmations off no question takes the focus, and the menu leaves it in the box. The box closes
# with the selection's change, and Enter stores nothing into the Location selected next.
printf '[Settings]\r\nMainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=No\r\n' \
  >"$WINEPREFIX/drive_c/windows/Tarnwick.ini"
wine "$exe" "$vis" </dev/null >/dev/null 2>&1 &
program=$!
# Read from the saved menu now: 11 Areas after the merge, 36 Locations.
if ! p wait-count 48 >/dev/null; then
  check "the saved set opens again" "48 items" "$(p areas | wc -l) Areas"
fi
sleep 1
winexe="Z:$(echo "$exe" | tr / '\\')"
read -r ex ey < <(p menu-where "$winexe" Edit)
read -r dx dy < <(p menu-item-offset "$winexe" Edit "Delete Location")
sleep 0.5
read -r cx cy < <(where "Chicago")
xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 100 1
sleep 0.5
read -r lx ly < <(where "Chicago Executive")
xdotool mousemove "$lx" "$ly" click 1
sleep 0.5
executive=$(p detail 6)
read -r lx ly < <(where "Chicago Midway Rwy 31C")
xdotool mousemove "$lx" "$ly" click 1
sleep 0.5
read -r vx vy < <(p detail-where 6)
xdotool mousemove "$vx" "$vy" click 1
sleep 0.3
xdotool key Return
sleep 0.3
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "S12:34:56"
check "the latitude is typed into the box" "S12:34:56" "$(p edit-box)"
if [ -n "${ex:-}" ] && [ -n "${dx:-}" ]; then
  xdotool mousemove "$ex" "$ey" click 1
  sleep 0.5
  read -r ox oy < <(p menu-open)
  shot delete-location-menu
  xdotool mousemove $((ox + dx)) $((oy + dy)) click 1
  sleep 0.7
else
  check "the Edit menu and its Delete Location on the screen" "found" "not found"
fi
check "Delete Location took the Location out" "Chicago Executive" "$(p children "Chicago")"
check "the next Location is selected" "Chicago Executive" "$(p selected)"
check "the edit box closed with the selection's change" "closed" \
  "$(p edit-box >/dev/null 2>&1 && echo open || echo closed)"
xdotool key Return
sleep 0.5
shot after-delete-location
check "the selected Location keeps its latitude" "$executive" "$(p detail 6)"
# (Enter reached the list, which opens the box afresh over the description.)
xdotool key Escape
xdotool key alt+f
sleep 0.5
xdotool key s
sleep 2
check "the saved menu keeps it too" "Position $executive" \
  "$(wine "$cli" bgl "$saved" 2>/dev/null | tr -d '\r' | grep -A1 "Chicago Executive" |
     grep -o "Position $executive")"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null

# Cancel pressed with the real mouse while a large set is being scanned: the set closes at once,
# the window answers again and nothing is reported.
big=$(p generate "$winwork\\big" 12 200 2 4)
wine "$exe" "$big" </dev/null >/dev/null 2>&1 &
program=$!
cancel=""
for tries in $(seq 100); do
  cancel=$(p button Tarnwick Cancel 2>/dev/null) && break
  sleep 0.05
done
if [ -z "$cancel" ]; then
  check "the progress box of the large set" "shown" "not found"
else
  read -r cx cy <<<"$cancel"
  xdotool mousemove "$cx" "$cy" click 1
  clicked=$(date +%s%N)
  p wait-count 0 >/dev/null
  echo "the set closed $(( ($(date +%s%N) - clicked) / 1000000 )) ms after the click (with the probe's own start)"
  shot cancelled-scan
  check "the cancelled set is closed" "Areas: 0" "$(p status 0)"
  check "the progress box is gone" "gone" \
    "$(p button Tarnwick Cancel >/dev/null 2>&1 && echo shown || echo gone)"
  check "no error box after the cancel" "" "$(p box 'Tarnwick Error' 2>/dev/null)"
  check "the window takes input after the cancel" "yes" "$(p enabled)"
fi
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $work"
  exit 1
fi
echo "all gestures behaved; screenshots in $work"
