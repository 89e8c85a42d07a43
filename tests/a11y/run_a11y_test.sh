#!/usr/bin/env bash
# The main window through the real accessibility stack: a D-Bus session, an
# X server (Xvfb), the AT-SPI bus and registry (at-spi2-core), the program
# with its accessibility bridge on, and a reader (python3-pyatspi) that keys
# with xdotool. Nothing here depends on the machine's speed: every wait is
# for an event, and the time limits (the whole test 270 s, the reader 240 s)
# only guard against a hang. Status 77 (skipped) when a part of the stack is
# not installed.
#   run_a11y_test.sh PROGRAM
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session Xvfb xdotool /usr/bin/python3 "$launcher"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }

if [ "${VOZAZ2_A11Y_INSIDE:-}" != 1 ]; then
  export VOZAZ2_A11Y_INSIDE=1
  exec timeout -k 5 270 dbus-run-session -- "$0" "$program" \
    2> >(grep -v -e 'fd limit' -e XDG_RUNTIME_DIR >&2)
fi

# The X server chooses its display itself (-displayfd): a fixed number, or
# xvfb-run's guess from the lock files in /tmp, can name a display whose
# socket another server already holds (in a container sharing the host's
# network, the abstract socket of :99 may belong to someone else), and the
# program then knocks at a stranger's door and fails to start.
# -noreset: by default the server resets when its last client leaves, and
# the program, coming just after the probe below has left, found the door
# shut for that moment ("could not connect to display") on a busy machine.
work=$(mktemp -d)
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 600); do  # a hang guard of a minute
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "FAILED: the X server did not start"; cat "$work/xvfb.log"
  kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 1
fi
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
# The server takes connections once it has named its display; a client that
# cannot connect now says why before anything else starts.
if ! timeout 60 xdotool getdisplaygeometry >/dev/null 2>"$work/probe.log"; then
  echo "FAILED: no connection to the X server on $DISPLAY that Xvfb opened"
  cat "$work/probe.log" "$work/xvfb.log"
  kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 1
fi
export XDG_CONFIG_HOME="$work/config"  # the program's remembered zoom is not the user's

"$launcher" --launch-immediately &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$program" 2>"$work/program.log" &
app=$!
VOZAZ2_A11Y_APP_PID=$app timeout -k 5 240 /usr/bin/python3 "$here/a11y_test.py"
status=$?
[ $status -eq 124 ] && echo "FAILED: the reader did not finish within 240 s (a hang)"
if ! kill -0 "$app" 2>/dev/null; then
  wait "$app"
  echo "FAILED: the program ended during the test (exit status $?)"
  if grep -q "could not connect to display" "$work/program.log"; then
    echo "FAILED: the program could not connect to the X server on $DISPLAY"
    cat "$work/xvfb.log"
  fi
  status=1
fi
grep -v -e XDG_RUNTIME_DIR -e 'fd limit' "$work/program.log"
kill "$app" "$bus" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait 2>/dev/null
rm -rf "$work"
exit $status
