#!/usr/bin/env bash
# The window at 96, 144 and 192 dpi as a user with 100 %, 150 % and 200 % scaling sees it:
# tarnwick.exe runs under Wine's X11 driver on an Xvfb display with the sample scenery set, Wine
# taking the dpi from HKCU\Control Panel\Desktop\LogPixels, and window-probe.exe reads the
# controls' sizes from outside: each holds its text, no column cuts its heading, and the
# program's own figures follow the dpi.
#
#   tests/x11/dpi_test.sh TARNWICK_EXE PROBE_EXE
#
# Exits 77 (skipped) without xvfb-run, xdotool or import. Leaves a screenshot at each dpi in the work
# folder (build/windows/x11-dpi/dpi-96.png ...).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  source "$(dirname "$0")/x11_run.sh"
  # Large enough for the window at 200 %.
  x11_run x11-dpi 2000x1500x24 "$0" "$1" "$2"
  status=$?
  # The other tests in this prefix run at 96 dpi.
  if [ "$status" -ne 77 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wineserver -w
  fi
  exit $status
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
ok() {  # ok WHAT CONDITION-RESULT
  if [ "$2" = 0 ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    failures=$((failures + 1))
  fi
}
# A figure of the metrics: metric NAME [FIELD]
metric() { awk -v name="$1" -v field="${2:-2}" '$1 == name { print $field }' "$metrics"; }
# Whether ACTUAL is within two pixels of EXPECTED.
near() { [ "$1" -ge $(($2 - 2)) ] && [ "$1" -le $(($2 + 2)) ]; }
scaled() { echo $((($1 * $2 + 48) / 96)); }

cd "$work"
winwork="Z:$(echo "$work" | tr / '\\')"
vis=$(p sample "$winwork\\sample")

for dpi in 96 144 192; do
  echo "== $dpi dpi"
  wineserver -k 2>/dev/null
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  # The window's size is kept in 96-dpi units: 900 x 640 at every dpi.
  printf '[Settings]\r\nMainWindow=[0,0,900,640]\r\nExpandInitially=No\r\nAutoExpand=No\r\n' \
    >"$WINEPREFIX/drive_c/windows/Tarnwick.ini"
  wine "$exe" "$vis" </dev/null >/dev/null 2>&1 &
  program=$!
  if ! p wait-count 49 >/dev/null; then
    echo "FAILED: the program did not show the sample set at $dpi dpi"
    failures=$((failures + 1))
    kill "$program" 2>/dev/null
    continue
  fi
  sleep 1
  import -window root "$work/dpi-$dpi.png" 2>/dev/null || true
  metrics="$work/metrics-$dpi.txt"
  p metrics >"$metrics"
  cat "$metrics"
  font=$(metric font)
  ok "the window runs at $dpi dpi" "$([ "$(metric dpi)" = "$dpi" ]; echo $?)"
  for part in tree-item status-bar details-row; do
    ok "$part $(metric "$part") holds the font's $font pixels" \
      "$([ "$(metric "$part")" -ge "$font" ]; echo $?)"
  done
  picture=$(scaled 16 "$dpi")
  ok "toolbar buttons $(metric tool-button 2)x$(metric tool-button 3) hold $picture-pixel pictures" \
    "$([ "$(metric tool-button 2)" -gt "$picture" ] && [ "$(metric tool-button 3)" -gt "$picture" ]; echo $?)"
  ok "the tree's rows $(metric tree-item) hold $picture-pixel pictures" \
    "$([ "$(metric tree-item)" -ge "$picture" ]; echo $?)"
  ok "no details heading is cut ($(metric details-cut 0))" "$([ "$(metric details-cut)" = none ]; echo $?)"
  ok "no VIS heading is cut ($(metric vis-cut 0))" "$([ "$(metric vis-cut)" = none ]; echo $?)"
  ok "the details pane's picture column $(metric details-columns) is 20 at 96 dpi, scaled" \
    "$(near "$(metric details-columns)" "$(scaled 20 "$dpi")"; echo $?)"
  ok "the window $(metric window) is 900 at 96 dpi, scaled" \
    "$(near "$(metric window)" "$(scaled 900 "$dpi")"; echo $?)"
  ok "the tree $(metric tree-width) is half the client width $(metric client)" \
    "$(near "$(metric tree-width)" $(($(metric client) / 2)); echo $?)"
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
done

echo "screenshots: $work/dpi-*.png"
[ "$failures" -eq 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
