#!/usr/bin/env bash
# The window's accessibility tests once more where Qt sends its events: on X11 (a virtual display)
# with a session bus and the AT-SPI bus, as a screen reader finds them, then the program itself
# driven by keys and heard over the bus (scripts/accessibility_bus_check.py). Offscreen, Qt sends
# none and those tests skip. Without Xvfb, dbus-run-session or the AT-SPI bus this says why and stops.
# Takes the build folder (default build), in which ui_tests and kestro must be built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
launcher=/usr/libexec/at-spi-bus-launcher
for need in Xvfb dbus-run-session "$launcher"; do
  if ! command -v "$need" >/dev/null; then
    echo "accessibility tests on the AT-SPI bus skipped: $need is missing (scripts/install-deps.sh)"
    exit 0
  fi
done
# A free display number: the first whose lock file is not there.
display=19
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
# A loaded machine may take a while to bring the display up.
for _ in $(seq 100); do
  [ -S "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
# The AT-SPI check hears the program as a screen reader does; pyatspi is Debian's, so the
# system's own python3 runs it. A window manager gives the window the keyboard's focus.
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3
wm=:
command -v openbox >/dev/null && wm="openbox"
# Qt turns its AT-SPI bridge on when a screen reader asks; here it is asked to always.
out=$(mktemp)
trap 'kill $xvfb; rm -f "$out"' EXIT
status=0
dbus-run-session -- bash -c "
  $launcher --launch-immediately & bus=\$!
  sleep 1
  DISPLAY=:$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    '$build/tests/ui_tests' --gtest_filter='AccessibilityTest.*'
  status=\$?
  DISPLAY=:$display $wm >/dev/null 2>&1 & wm=\$!
  DISPLAY=:$display '$python' scripts/accessibility_bus_check.py '$build/kestro' || status=1
  kill \$wm \$bus
  exit \$status" >"$out" 2>&1 || status=$?
cat "$out"
# A skip here means Qt found no bus after all: the events went unchecked.
if grep -q '^\[  SKIPPED \]' "$out"; then
  echo "accessibility tests skipped although the AT-SPI bus was started"
  exit 1
fi
exit "$status"
