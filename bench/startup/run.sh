#!/usr/bin/env bash
# Start-up benchmark: time from process start until the connection dialog is shown, and the
# peak resident memory by then, for Nirvo and for a minimal Qt Widgets program built the same
# way. Both run offscreen. Goal: Nirvo within 1.5 times the minimal program on both.
# Usage: bench/startup/run.sh [runs]   (needs hyperfine)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
runs=${1:-30}

cmake --preset normal >/dev/null
cmake --build --preset normal --target nirvo startup_minimal startup_dialog_only >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/program "$work/program"
rm -f "$work/program/dat/log.txt"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
export NIRVO_QUIT_AFTER_START=1
minimal="$root/build/bench/startup/startup_minimal"
dialog_only="$root/build/bench/startup/startup_dialog_only"
nirvo="$work/program/nirvo"

cd "$work/program"
hyperfine --warmup 3 --runs "$runs" --export-json "$work/times.json" -N \
  --command-name minimal "$minimal" --command-name minimal-text "$minimal --label" \
  --command-name dialog-only "$dialog_only" --command-name nirvo "$nirvo" 2>/dev/null

peak() { # command line -> median VmHWM in kB over 5 runs
  for _ in 1 2 3 4 5; do $1 2>&1 >/dev/null | awk '/VmHWM/ {print $3}'; done | sort -n | sed -n 3p
}
min_kb=$(peak "$minimal")
text_kb=$(peak "$minimal --label")
nirvo_kb=$(peak "$nirvo")

python3 - "$work/times.json" "$min_kb" "$nirvo_kb" "$text_kb" <<'PY'
import json, sys
t = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
m, n = t["minimal"]["mean"] * 1000, t["nirvo"]["mean"] * 1000
mk, nk = int(sys.argv[2]), int(sys.argv[3])
print(f"start-up to dialog shown: minimal {m:.1f} ms, nirvo {n:.1f} ms, ratio {n/m:.2f} (goal <= 1.5)")
print(f"peak resident memory:     minimal {mk/1024:.1f} MiB, nirvo {nk/1024:.1f} MiB, ratio {nk/mk:.2f} (goal <= 1.5)")
# For reading the figures: the same minimal window with one line of text, i.e. with the font
# set-up every window that shows words pays.
x, xk = t["minimal-text"]["mean"] * 1000, int(sys.argv[4])
print(f"minimal with one text line: {x:.1f} ms, {xk/1024:.1f} MiB; nirvo against it: time {n/x:.2f}, memory {nk/xk:.2f}")
# The connection dialog alone, with the libraries the program loads at start: what is left of the
# time when none of the steps the program takes before showing it are counted.
d = t["dialog-only"]["mean"] * 1000
print(f"connection dialog alone:    {d:.1f} ms, ratio {d/m:.2f}; the start-up steps before it add {n-d:.1f} ms")
PY
