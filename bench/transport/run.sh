#!/usr/bin/env bash
# Records dispatched per second on the record listening port from many concurrent peers, and
# resident memory before/after 100000 connections. Usage: bench/transport/run.sh [peers] [connections]
set -euo pipefail
cd "$(dirname "$0")/../.."
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
[ -d build ] || cmake --preset normal >/dev/null
cmake --build build --target bench_transport_listener >/dev/null
build/bench/transport/bench_transport_listener "${1:-32}" "${2:-100000}"
