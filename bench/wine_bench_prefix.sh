# Sourced by the Windows benchmarks: a Wine prefix of their own in $WORK (unless WINEPREFIX names
# one), no display, a server kept running for the whole run, names beginning with "." shown as
# Windows shows them, and everything ended and removed on exit. Needs WORK set.
export WINEPREFIX=${WINEPREFIX:-$WORK/prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver --kill >/dev/null 2>&1 || true
  rm -rf -- "$WORK"
}
trap cleanup EXIT
start_wine() {
  [[ -f $WINEPREFIX/system.reg ]] || wineboot --init >/dev/null 2>&1
  # wineboot's own server may still be running: a second persistent one would refuse to start.
  wineserver --kill >/dev/null 2>&1 || true
  wineserver --persistent
  wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null
}
