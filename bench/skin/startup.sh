#!/usr/bin/env bash
# Start-up of a window with one label, bare and with the stored skin, measured
# side by side in one run under Xvfb: RUNS alternating process starts of each,
# wall time from exec to the label's first paint, medians and their ratio.
#   bash bench/skin/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-21}
probe="$build/bin/skin_startup_probe"
[ -x "$probe" ] || { echo "no $probe; build target skin_startup_probe first" >&2; exit 1; }
export probe runs
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}
xvfb-run -a bash -c '
  median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
  "$probe" bare && "$probe" skinned # warm the caches once
  for i in $(seq "$runs"); do
    for mode in bare skinned; do
      t0=$(date +%s%N); "$probe" $mode; t1=$(date +%s%N)
      echo "$mode $(( (t1 - t0) / 1000 ))"
    done
  done > /tmp/qv_startup.$$
  bare=$(awk "\$1==\"bare\" {print \$2}" /tmp/qv_startup.$$ | median)
  skinned=$(awk "\$1==\"skinned\" {print \$2}" /tmp/qv_startup.$$ | median)
  rm -f /tmp/qv_startup.$$
  echo "runs per mode: $runs"
  echo "bare window, one label: median ${bare} us"
  echo "window with the skin:   median ${skinned} us"
  awk -v s="$skinned" -v b="$bare" "BEGIN {printf \"ratio: %.3f\n\", s / b}"
'
