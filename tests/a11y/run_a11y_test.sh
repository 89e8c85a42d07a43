#!/usr/bin/env bash
# The main window through the real accessibility stack: a D-Bus session, an
# X server (Xvfb), the AT-SPI bus and registry (at-spi2-core), the program
# with its accessibility bridge on, and a reader (python3-pyatspi) that keys
# with xdotool. Every part runs under a time limit; status 77 (skipped) when
# a part of the stack is not installed.
#   run_a11y_test.sh PROGRAM
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session xvfb-run xdotool /usr/bin/python3 "$launcher"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }

if [ "${VOZAZ2_A11Y_INSIDE:-}" != 1 ]; then
  export VOZAZ2_A11Y_INSIDE=1
  exec timeout -k 5 120 dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" 2> >(grep -v -e 'fd limit' -e XDG_RUNTIME_DIR >&2)
fi

"$launcher" --launch-immediately &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$program" &
app=$!
timeout -k 5 90 /usr/bin/python3 "$here/a11y_test.py"
status=$?
kill "$app" "$bus" 2>/dev/null
wait 2>/dev/null
exit $status
