#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds on a copy of its seed corpus.
# A target's seeds live in fuzz/<area>/corpus/<name>, the name with or without its
# "fuzz_" prefix; a target without seeds fails the run instead of fuzzing from nothing.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-15}
cd "$(dirname "$0")/.."

seeds_of() {
  local name=$1 dir
  for dir in $(find fuzz -type d \( -path "*/corpus/$name" -o -path "*/corpus/${name#fuzz_}" \) | sort); do
    if [ -n "$(find "$dir" -type f -print -quit)" ]; then
      echo "$dir"
      return
    fi
  done
}

count=0
for target in $(find "$build" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  seeds=$(seeds_of "$name")
  if [ -z "$seeds" ]; then
    echo "fuzz.sh: no seed corpus for $name (looked for fuzz/*/corpus/$name or fuzz/*/corpus/${name#fuzz_})" >&2
    exit 1
  fi
  work=$(mktemp -d)
  cp -r "$seeds"/. "$work"/
  echo "-- $name ($(find "$seeds" -type f | wc -l) seeds from $seeds, ${seconds}s)"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$work" 2>"$work.log" \
    || { tail -n 60 "$work.log"; rm -rf "$work" "$work.log"; exit 1; }
  rm -rf "$work" "$work.log"
  count=$((count + 1))
done
if [ "$count" -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $build" >&2
  exit 1
fi
echo "fuzz targets run clean: $count"
