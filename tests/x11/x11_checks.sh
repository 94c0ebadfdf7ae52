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
