#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BENCH=OFF >/dev/null
cmake --build build
if [ -x build/bin/quorvane ]; then
  exec build/bin/quorvane "$@"
fi
# The window is not built yet: show the calculator on an example loan.
build/bin/quorvane-cli schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o build/bin/example-run.qvl
exec build/bin/quorvane-cli show build/bin/example-run.qvl
