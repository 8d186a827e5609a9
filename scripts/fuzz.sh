#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds on a copy of its seed corpus.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-15}
cd "$(dirname "$0")/.."
count=0
for target in $(find "$build" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  seeds=$(find fuzz -type d -path "*/corpus/${name#fuzz_}" | head -n 1)
  work=$(mktemp -d)
  [ -n "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "-- $name (${seconds}s)"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$work" 2>"$work.log" \
    || { tail -n 60 "$work.log"; exit 1; }
  rm -rf "$work" "$work.log"
  count=$((count + 1))
done
echo "fuzz targets run clean: $count"
