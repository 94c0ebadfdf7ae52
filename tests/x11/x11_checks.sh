# Sourced on the display by the tests that drive the real window, after they set `probe` (the
# window-probe.exe) and `work` (the work folder) and `failures=0`.

# window-probe.exe with its output's line ends made Unix ones; its complaints go to the work folder.
p() { wine "$probe" "$@" 2>>"$work/probe-errors.txt" | tr -d '\r'; }
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    echo "  expected: $(echo "$2" | paste -sd '|')"
    echo "  actual:   $(echo "$3" | paste -sd '|')"
    failures=$((failures + 1))
  fi
}
shot() { import -window root "$work/$1.png" 2>/dev/null || true; }

# Writes the sample set into the work folder and the settings (printf text after "[Settings]"),
# starts the program `exe` on it and waits until it shows the set's 49 items; sets `winwork`,
# `vis` and `program`. Fails, with a screenshot, when the set does not show.
open_sample() {
  cd "$work" || return 1
  winwork="Z:$(echo "$work" | tr / '\\')"
  vis=$(p sample "$winwork\\sample")
  # shellcheck disable=SC2059 # the settings carry their own \r\n
  printf "[Settings]\r\n$1" >"$WINEPREFIX/drive_c/windows/Tarnwick.ini"
  wine "$exe" "$vis" </dev/null >/dev/null 2>&1 &
  program=$!
  # The sample set holds the root, 12 Areas and 36 Locations.
  if ! p wait-count 49; then
    echo "FAILED: the program did not show the sample set"
    shot failed-start
    kill "$program" 2>/dev/null
    return 1
  fi
}
