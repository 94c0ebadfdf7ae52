# Sourced by the tests that drive the real window: tarnwick.exe under Wine's X11 driver on an Xvfb
# display, in the X11 tests' own Wine prefix beside the program (the window tests use the null
# driver in another), read from outside by window-probe.exe.
#
#   x11_run WORK_NAME SCREEN SCRIPT EXE PROBE
#
# Checks the tools (returns 77, "skipped", without one), takes the prefix's lock for the rest of
# the caller's run, prepares the prefix once, empties the work folder beside the program and runs
# SCRIPT again on a display of SCREEN (e.g. 1024x768x24) as SCRIPT --on-display EXE PROBE WORK;
# returns its status.
x11_run() {
  local name=$1 screen=$2 script=$3 exe probe work status
  exe=$(realpath "$4")
  probe=$(realpath "$5")
  for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed"
      return 77
    fi
  done
  work="$(dirname "$exe")/$name"
  export WINEPREFIX="$(dirname "$exe")/wine-x11-prefix"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  export WINEARCH=win64
  unset WAYLAND_DISPLAY
  mkdir -p "$WINEPREFIX"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.tarnwick-ready" ]; then
    echo "== preparing the X11 Wine prefix (once)"
    DISPLAY= wineboot -i </dev/null >/dev/null 2>&1 || true
    # On a bare Xvfb display Wine draws the window frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.tarnwick-ready"
  fi
  "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-fonts" "$WINEPREFIX"
  rm -rf "$work"
  mkdir -p "$work"
  xvfb-run -a -s "-screen 0 $screen" bash "$script" --on-display "$exe" "$probe" "$work"
  status=$?
  wineserver -k 2>/dev/null || true
  return $status
}
