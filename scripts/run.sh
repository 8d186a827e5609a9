#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# Starting the program builds neither tests nor benchmarks; scripts/test.sh builds those.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BENCH=OFF -DQV_TESTS=OFF >/dev/null
cmake --build build
exec build/bin/quorvane "$@"
