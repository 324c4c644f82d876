#!/usr/bin/env bash
# Longest main-thread stall while messages arrive from concurrent senders. Builds the normal
# preset's driver and runs it a few times with hyperfine (or plainly when hyperfine is missing).
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset normal >/dev/null
cmake --build build --target reception_bench >/dev/null
bin=build/bench/reception/reception_bench
for i in 1 2 3; do "$bin" 8 200 60000; done
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 1 --runs 5 "$bin 8 200 60000"
fi
