#!/usr/bin/env bash
# Start-up of the program against a bare toolkit window with one label, in
# alternating runs: CPU and wall time from exec to the first mapped window and the
# resident memory a moment later, as medians and ratios (program / bare window).
# Only ratios from one run mean anything on a shared machine; the CPU ratio is
# the steadier one. With --precise the CPU time is also read from the scheduler's
# own count, in nanoseconds: the tools' clock ticks round it to tens of milliseconds.
# usage: bench/startup.sh [BUILD_DIR] [RUNS] [--precise]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-9}
# The measuring tools live beside the repository, not in it.
tools=$(cd "$root/.." && pwd)/shared/tools
program=$build/bin/quorvane

fail() { echo "startup.sh: $*" >&2; exit 2; }
[ -f "$tools/startmap.py" ] && [ -f "$tools/bareqt.cpp" ] || fail "no measuring tools in $tools"
[ -x "$program" ] || fail "no program at $program (build the quorvane target first)"
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || fail "needs Debian's python3-xlib (scripts/deps.sh installs it)"
command -v xvfb-run >/dev/null || fail "needs xvfb-run"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046 # pkg-config's flags are meant to split
g++ -O2 -fPIC -o "$work/bareqt" "$tools/bareqt.cpp" $(pkg-config --cflags --libs Qt6Widgets)

echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "A = bare toolkit window, B = $program"
# The tool divides by the bare window's median CPU ticks, which a fast machine reads as 0.
if ! xvfb-run -a -s "-noreset -screen 0 1280x1024x24" /usr/bin/python3 "$tools/startmap.py" "$runs" -- "$work/bareqt" -- "$program"; then
  echo "startup.sh: the tool gave no ratios (a CPU reading of 0 ticks for the bare window?); --precise measures below 10 ms" >&2
  [ "${3:-}" = --precise ] || exit 1
fi
if [ "${3:-}" = --precise ]; then
  xvfb-run -a -s "-noreset -screen 0 1280x1024x24" /usr/bin/python3 "$root/bench/startcpu.py" "$runs" -- "$work/bareqt" -- "$program"
fi
