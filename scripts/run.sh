#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# Starting the program builds neither tests nor benchmarks, in a tree of its own:
# scripts/test.sh configures build/ with them, and a shared tree would be
# reconfigured and rebuilt by each script in turn.
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BENCH=OFF -DQV_TESTS=OFF >/dev/null
cmake --build build-run
exec build-run/bin/quorvane "$@"
