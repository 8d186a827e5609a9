#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: a normal build, an
# AddressSanitizer + UndefinedBehaviorSanitizer build, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
source scripts/cups.sh
trap qv_cups_stop EXIT
if ! qv_cups_start; then
  echo "test: stopping: in CI the printing tests need the print queue" >&2
  exit 1
fi
jobs=$(nproc)

echo "== build and test =="
# build/ is this script's tree (scripts/run.sh builds in build-run/).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TESTS=ON -DQV_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian package, unpacked read-only =="
bash scripts/package-test.sh build

echo "== sanitizers (ASan + UBSan) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzz targets =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_FUZZ=ON -DQV_GUI=OFF -DQV_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_all
bash scripts/fuzz.sh build-fuzz "${QV_FUZZ_SECONDS:-15}"
