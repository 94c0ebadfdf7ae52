#!/usr/bin/env bash
# Prints from the window as a person does, through Wine's own printer driver into a real print
# queue: a private CUPS server started here, whose one queue writes every job into a folder.
# tarnwick.exe runs under Wine's X11 driver on an Xvfb display; xdotool opens File > Print and
# presses the dialog's OK; the job (PostScript) is rendered to text and checked for the header
# and the lines of the menu. A second job, of a set of many pages, is cancelled in the cancel box.
#
#   tests/x11/print_test.sh TARNWICK_EXE PROBE_EXE
#
# Exits 77 (skipped) without xvfb-run, xdotool, cupsd, ghostscript or pdftotext. Leaves the jobs,
# their text and a picture of the first page in the work folder (build/windows/x11-print).
set -uo pipefail

if [ "${1:-}" != "--on-display" ]; then
  exe=$(realpath "$1")
  probe=$(realpath "$2")
  export PATH="$PATH:/usr/sbin"
  for tool in xvfb-run xdotool import cupsd lpadmin ps2pdf pdftotext pdftoppm; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed"
      exit 77
    fi
  done
  work="$(dirname "$exe")/x11-print"
  rm -rf "$work"
  mkdir -p "$work/cups/spool" "$work/cups/tmp" "$work/cups/cache" "$work/cups/state" \
    "$work/cups/log" "$work/cups/bin/backend" "$work/jobs"
  cups="$work/cups"
  # The queue's backend: each job into the jobs folder, complete or not at all.
  cat >"$cups/bin/backend/tofolder" <<'BACKEND'
#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct tofolder "Unknown" "Jobs written to a folder"'; exit 0; fi
folder=${DEVICE_URI#tofolder:}
if [ -n "$6" ]; then cat "$6"; else cat; fi >"$folder/job-$1.part" && mv "$folder/job-$1.part" "$folder/job-$1.ps"
BACKEND
  chmod 755 "$cups/bin/backend/tofolder"
  for part in filter daemon cgi-bin monitor notifier driver; do
    ln -s "/usr/lib/cups/$part" "$cups/bin/$part"
  done
  chmod 777 "$work/jobs"
  cat >"$cups/cupsd.conf" <<CONF
Listen $cups/cups.sock
LogLevel warn
WebInterface No
Browsing Off
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  {
    echo "ServerRoot $cups"
    echo "ServerBin $cups/bin"
    for dir in RequestRoot:spool TempDir:tmp CacheDir:cache StateDir:state; do
      echo "${dir%%:*} $cups/${dir#*:}"
    done
    echo "ErrorLog $cups/log/error_log"
    echo "AccessLog $cups/log/access_log"
    echo "PageLog $cups/log/page_log"
    # As root the server hands jobs to an unprivileged user; as anyone else it runs as that user.
    if [ "$(id -u)" = 0 ]; then
      echo "User lp"
      echo "Group lp"
    fi
  } >"$cups/cups-files.conf"
  cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/stdout" 2>&1 &
  cupsd_pid=$!
  trap 'kill $cupsd_pid 2>/dev/null' EXIT
  export CUPS_SERVER="$cups/cups.sock"
  for tries in $(seq 50); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! lpadmin -p TarnwickTest -E -v "tofolder:$work/jobs" -m raw 2>"$cups/log/lpadmin" ||
    ! lpadmin -d TarnwickTest; then
    echo "FAILED: the private print server did not take the queue"
    cat "$cups/log/lpadmin" "$cups/log/stdout" "$cups/log/error_log" 2>/dev/null
    exit 1
  fi

  export WINEPREFIX="$(dirname "$exe")/wine-print-prefix"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  export WINEARCH=win64
  unset WAYLAND_DISPLAY
  mkdir -p "$WINEPREFIX"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.tarnwick-ready" ]; then
    echo "== preparing the printing Wine prefix (once)"
    DISPLAY= wineboot -i </dev/null >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.tarnwick-ready"
  fi
  "$(dirname "$0")/../../tools/wine-fonts" "$WINEPREFIX"
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --on-display "$exe" "$probe" "$work"
  status=$?
  wineserver -k 2>/dev/null || true
  exit $status
fi

exe=$2
probe=$3
work=$4
failures=0

source "$(dirname "$0")/x11_checks.sh"
jobs() { ls "$work/jobs" | grep -c '\.ps$'; }

# Starts the program on a VIS file and waits until its tree holds COUNT items.
start() {  # start VIS COUNT
  wine "$exe" "$1" </dev/null >/dev/null 2>&1 &
  program=$!
  if ! p wait-count "$2"; then
    echo "FAILED: the program did not show the set"
    shot failed-start
    kill "$program" 2>/dev/null
    exit 1
  fi
  sleep 1
}
stop() {
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  wineserver -w 2>/dev/null
}
# File > Print ..., then the print dialog's OK (after its Selection choice with SELECTION=1).
print_menu() {
  xdotool key alt+f
  sleep 0.5
  xdotool key p
  if ! xdotool search --sync --onlyvisible --name '^Print$' >/dev/null 2>&1; then
    echo "FAILED: no print dialog"
    failures=$((failures + 1))
    return 1
  fi
  sleep 0.5
  shot print-dialog
  if [ "${SELECTION:-0}" = 1 ]; then
    xdotool key alt+s
    sleep 0.3
  fi
  xdotool key Return
}

cd "$work"
winwork="Z:$(echo "$work" | tr / '\\')"
printf '[Settings]\r\nMainWindow=[0,0,1000,740]\r\nExpandInitially=Yes\r\nConfirmations=Yes\r\n' \
  >"$WINEPREFIX/drive_c/windows/Tarnwick.ini"

# The sample set, printed whole.
start "$(p sample "$winwork\\sample")" 49
print_menu
for tries in $(seq 100); do
  [ "$(jobs)" -ge 1 ] && break
  sleep 0.2
done
check "one job reached the queue" 1 "$(jobs)"
job=$(ls "$work"/jobs/*.ps 2>/dev/null | head -1)
if [ -n "$job" ]; then
  ps2pdf "$job" "$work/sample.pdf" && pdftotext -layout "$work/sample.pdf" "$work/sample.txt"
  pdftoppm -r 60 -png -f 1 -l 1 "$work/sample.pdf" "$work/sample-page"
  text=$(cat "$work/sample.txt" 2>/dev/null)
  header=$(echo "$text" | grep -m1 'Page 1' | tr -s ' ')
  check "the page header" "Tarnwick WORLD.VIS Page 1" "$(echo "$header" | sed 's/^ //; s/ $//')"
  # Every Area and Location of the tree, in the tree's order.
  expected=$(p areas | while read -r area; do
    echo "$area"
    p children "$area"
  done)
  printed=$(echo "$text" | grep -v 'Page [0-9]' | grep -v 'Hdg:' | sed 's/^ *//; s/ *$//' |
    tr -d '\f' | grep -v '^$')
  check "every Area and Location printed in order" "$expected" "$printed"
  check "a position line under every Location" "$(p status 1 | grep -o '[0-9]*$')" \
    "$(echo "$text" | grep -c 'Hdg:')"
  # The first Location's position line as the core lays it out (minutes and seconds).
  check "position lines in minutes and seconds" "1" \
    "$(echo "$text" | grep -cE '^ +[NS][0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{4} +[EW][0-9]{3}:[0-9]{2}:[0-9]{2}\.[0-9]{4} +-?[0-9]+ft +Hdg:[0-9]{3}$' |
       awk '{print ($1 > 0) ? 1 : 0}')"
fi
check "the window takes input again" "yes" "$(p enabled)"

# Only the marked items: a click on a Location selects and marks it alone; its Area is left out.
read -r ox oy < <(p where "O'Hare Intl Rwy 27L")
xdotool mousemove "$ox" "$oy" click 1
sleep 0.5
SELECTION=1 print_menu
for tries in $(seq 100); do
  [ "$(jobs)" -ge 2 ] && break
  sleep 0.2
done
job=$(ls -t "$work"/jobs/*.ps 2>/dev/null | head -1)
if [ "$(jobs)" -ge 2 ]; then
  ps2pdf "$job" "$work/selection.pdf" && pdftotext -layout "$work/selection.pdf" "$work/selection.txt"
  check "the selection's header and lines" \
    "$(printf 'Tarnwick Selected from WORLD.VIS Page 1\n------\nO'"'"'Hare Intl Rwy 27L')" \
    "$(grep -v 'Hdg:' "$work/selection.txt" | tr -d '\f' | sed 's/^ *//; s/ *$//' | tr -s ' ' |
       grep -v '^$')"
  check "one position line" 1 "$(grep -c 'Hdg:' "$work/selection.txt")"
else
  echo "FAILED: the selection job did not reach the queue"
  failures=$((failures + 1))
fi

# Marks made in an Area that is closed before printing: a click on Heathrow, Ctrl+clicks on
# Gatwick and Stansted, a click on London's button; the selection printed is those three, with a
# dashed line where London City was left out.
read -r hx hy < <(p where "Heathrow Rwy 27L")
xdotool mousemove "$hx" "$hy" click 1
sleep 0.5
for location in "Gatwick Rwy 26L" "Stansted Rwy 22"; do
  read -r lx ly < <(p where "$location")
  xdotool mousemove "$lx" "$ly" keydown ctrl
  sleep 0.2
  xdotool click 1
  sleep 0.2
  xdotool keyup ctrl
  sleep 0.5
done
read -r bx by < <(p button-where "London")
xdotool mousemove "$bx" "$by" click 1
sleep 0.7
shot london-closed
marked=$(printf 'Heathrow Rwy 27L\nGatwick Rwy 26L\nStansted Rwy 22')
check "London is closed" "no" "$(p expanded "London")"
check "its three Locations stay marked" "$marked" "$(p marked)"
SELECTION=1 print_menu
for tries in $(seq 100); do
  [ "$(jobs)" -ge 3 ] && break
  sleep 0.2
done
job=$(ls -t "$work"/jobs/*.ps 2>/dev/null | head -1)
if [ "$(jobs)" -ge 3 ]; then
  ps2pdf "$job" "$work/closed.pdf" && pdftotext -layout "$work/closed.pdf" "$work/closed.txt"
  check "the closed Area's marked Locations printed" \
    "$(printf 'Tarnwick Selected from WORLD.VIS Page 1\n------\nHeathrow Rwy 27L\nGatwick Rwy 26L\n------\nStansted Rwy 22')" \
    "$(grep -v 'Hdg:' "$work/closed.txt" | tr -d '\f' | sed 's/^ *//; s/ *$//' | tr -s ' ' |
       grep -v '^$')"
  check "a position line under each" 3 "$(grep -c 'Hdg:' "$work/closed.txt")"
else
  echo "FAILED: the job of the closed Area's selection did not reach the queue"
  failures=$((failures + 1))
fi
stop

# A set of many pages: Cancel in the cancel box ends the job, and nothing reaches the queue.
vis=$(p generate "$work/big" 20 5 4 6)
start "Z:$(echo "$vis" | tr / '\\')" 2801
before=$(jobs)
print_menu
read -r bx by < <(p cancel-printing)
if [ -n "${bx:-}" ]; then
  xdotool mousemove "$bx" "$by" click 1
else
  echo "FAILED: the cancel box did not show"
  failures=$((failures + 1))
fi
sleep 3
shot after-cancel
check "the cancelled job never reached the queue" "$before" "$(jobs)"
check "no error box after a cancel" "" "$(p box 'Tarnwick Error' 2>/dev/null)"
check "the window takes input again after the cancel" "yes" "$(p enabled)"
stop

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; jobs and screenshots in $work"
  exit 1
fi
echo "printing behaved; jobs and screenshots in $work"
