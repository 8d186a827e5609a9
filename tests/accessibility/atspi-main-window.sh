#!/usr/bin/env bash
# Starts Quorvane on a 30-year loan under its own X display, session bus and
# accessibility bus, reads its main window through AT-SPI and stops all of it.
# usage: atspi-main-window.sh QUORVANE QUORVANE_CLI CHECKER.py
set -euo pipefail
program=$1 cli=$2 checker=$3

# The system's Python, which has the distribution's bindings.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
missing=()
"$python" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
command -v dbus-run-session >/dev/null || missing+=(dbus-bin)
command -v Xvfb >/dev/null || missing+=(xvfb)
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: needs ${missing[*]} (scripts/deps.sh installs them)"
  exit 77
fi

work=$(mktemp -d)
xvfb=
stop() {
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }
  rm -rf "$work"
}
trap stop EXIT
"$cli" schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o "$work/loan.qvl"

# Inside the display and the session bus: the accessibility bus, then the program.
cat > "$work/inner.sh" <<'INNER'
set -u
program=$1 loan=$2 checker=$3 python=$4
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
# Qt talks to the bus whether or not the desktop asked for assistive technology.
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" "$loan" &
app=$!
"$python" "$checker" "$app"
status=$?
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
kill "$launcher" 2>/dev/null
wait "$launcher" 2>/dev/null
exit $status
INNER

# The server picks a free display itself and names it once it accepts clients:
# choosing a number first races other servers starting beside this test.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "FAIL: the X server did not start"; exit 1; }
  sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: the X server named no display"; exit 1; }

# The program keeps its files beside itself; it is stopped before it could save.
DISPLAY=":$(tr -d '[:space:]' < "$work/display")" HOME="$work" XDG_RUNTIME_DIR="$work" NO_AT_BRIDGE=0 \
  dbus-run-session -- bash "$work/inner.sh" "$program" "$work/loan.qvl" "$checker" "$python"
