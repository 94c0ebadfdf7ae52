#!/usr/bin/env bash
# File > Export menu... and Import menu... as a person uses them: tarnwick.exe runs under Wine's
# X11 driver on an Xvfb display with the sample scenery set, xdotool opens the menus with the keys
# and types into the real common file dialogs, and window-probe.exe reads the tree back.
#
#   tests/x11/menu_text_test.sh TARNWICK_EXE PROBE_EXE
#
# Exits 77 (skipped) without xvfb-run or xdotool. Leaves screenshots in the work folder
# (build/windows/x11-menu-text).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  x11_run x11-menu-text 1024x768x24 "$0" "$1" "$2"
  exit $?
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
# Waits for a window with this caption (a dialog or a box).
await() {
  for tries in $(seq 40); do
    p box "$1" >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  return 1
}

open_sample 'MainWindow=[0,0,1000,740]\r\nExpandInitially=No\r\nAutoExpand=No\r\nConfirmations=Yes\r\n' || exit 1
sleep 1

# File > Export menu...: the save dialog, a file name typed, Enter.
xdotool key alt+f
sleep 0.5
xdotool key m
if await "Export menu"; then
  shot export-dialog
  xdotool key ctrl+a BackSpace
  xdotool type --delay 30 "$winwork\\menu.csv"
  xdotool key Return
  sleep 1
else
  check "the Export menu dialog" "shown" "not found"
fi
check "the exported file starts with the header" "Area,Location,Latitude" \
  "$(head -c 25 "$work/menu.csv" 2>/dev/null | tail -c 22)"
check "one row per Location" "37" "$(grep -c $'\r$' "$work/menu.csv" 2>/dev/null)"

# The file edited elsewhere: Paris renamed, then File > Import menu... through the open dialog,
# the question answered with Enter (Yes).
sed 's/^Paris,/Paris Orly,/' "$work/menu.csv" >"$work/edited.csv"
xdotool key alt+f
sleep 0.5
xdotool key i
if await "Import menu"; then
  shot import-dialog
  xdotool type --delay 30 "$winwork\\edited.csv"
  xdotool key Return
  if await "Tarnwick Confirmation"; then
    check "the question names the file" "Replace the menu with the one in 'edited.csv'?" \
      "$(p box "Tarnwick Confirmation")"
    shot import-question
    xdotool key Return
    sleep 1
  else
    check "the import question" "shown" "not found"
  fi
  # The sample's longest Area title is longer than the saved menu keeps: said after the import.
  if await "Tarnwick Warning"; then
    shot imported
    check "the warning names its place" "yes" \
      "$(p box "Tarnwick Warning" | grep -q "^edited.csv:7:1: warning: the saved menu keeps" &&
         echo yes || echo no)"
    xdotool key Return
    sleep 0.5
  else
    check "the warning after the import" "shown" "not found"
  fi
else
  check "the Import menu dialog" "shown" "not found"
fi
check "the renamed Area is in the tree" "Paris Orly" "$(p areas | grep -x 'Paris Orly')"
check "Paris is gone" "" "$(p areas | grep -x 'Paris')"
check "the Areas are all there" "Areas: 12" "$(p status 0)"
check "the Locations are all there" "Locns: 36" "$(p status 1)"

# A file with a bad value: the error box names its place, and the tree stays.
sed '2s/,N[0-9]*:/,N99:/' "$work/menu.csv" >"$work/bad.csv"
xdotool key alt+f
sleep 0.5
xdotool key i
if await "Import menu"; then
  xdotool type --delay 30 "$winwork\\bad.csv"
  xdotool key Return
  if await "Tarnwick Error"; then
    shot import-error
    check "the error names line 2" "yes" \
      "$(p box "Tarnwick Error" | grep -q "^bad.csv:2:[0-9]*: Latitude 'N99:" && echo yes || echo no)"
    xdotool key Return
    sleep 0.5
  else
    check "the error box" "shown" "not found"
  fi
else
  check "the Import menu dialog, again" "shown" "not found"
fi
check "the tree is as imported before" "Paris Orly" "$(p areas | grep -x 'Paris Orly')"

kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $work"
  exit 1
fi
echo "export and import behaved; screenshots in $work"
