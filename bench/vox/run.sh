#!/usr/bin/env bash
# Throughput and peak memory of vox2wav against sox and ffmpeg decoding the same VOX file.
#
#   bench/vox/run.sh            64 MiB input, 10 timed runs each
#   SIZE_MIB=16 RUNS=5 BENCH_DIR=/some/dir bench/vox/run.sh
#
# The input is speech-like OKI ADPCM at 6000 samples per second made by vox_gen. Files go to a
# RAM-backed folder by default so the figures compare decoding rather than the disk; set
# BENCH_DIR to measure on a real disk (vox2wav then also pays for flushing its output to disk
# before the rename that makes it visible).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
size_mib=${SIZE_MIB:-64}
runs=${RUNS:-10}
tool=$build/tools/vox2wav/vox2wav
gen=$build/bench/vox/vox_gen
for need in hyperfine sox ffmpeg /usr/bin/time python3; do
    command -v "$need" >/dev/null || { echo "run.sh: $need is missing (scripts/setup installs it)" >&2; exit 1; }
done
cmake --build "$build" --target vox2wav vox_gen >/dev/null

if [ -n "${BENCH_DIR:-}" ]; then
    work=$(mktemp -d -p "$BENCH_DIR")
elif [ -d /dev/shm ] && [ -w /dev/shm ]; then
    work=$(mktemp -d -p /dev/shm)
else
    work=$(mktemp -d)
fi
trap 'rm -rf "$work"' EXIT
in=$work/in.vox
"$gen" "$in" "$size_mib"
"$gen" "$work/small.vox" 1

ours="$tool $in $work/ours.wav"
ours_rate="$tool -r 8000 $in $work/ours8k.wav"
sox_cmd="sox -t vox -r 6000 -c 1 $in -b 16 $work/sox.wav"
ff_cmd="ffmpeg -nostdin -loglevel error -y -f u8 -ar 6000 -ac 1 -c:a adpcm_ima_oki -i $in -c:a pcm_s16le $work/ff.wav"

echo "== ${size_mib} MiB VOX in $work"
hyperfine --style basic --warmup 1 --runs "$runs" --export-json "$work/times.json" \
    -n vox2wav "$ours" -n "vox2wav -r 8000" "$ours_rate" -n sox "$sox_cmd" -n ffmpeg "$ff_cmd"

peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ {print $2}'; }
echo
echo "== peak resident memory (KiB)"
printf '%-28s %s\n' "vox2wav ${size_mib} MiB" "$(peak $ours)"
printf '%-28s %s\n' "vox2wav 1 MiB" "$(peak "$tool" "$work/small.vox" "$work/small.wav")"
printf '%-28s %s\n' "vox2wav -r 8000 ${size_mib} MiB" "$(peak $ours_rate)"
printf '%-28s %s\n' "sox ${size_mib} MiB" "$(peak $sox_cmd)"
printf '%-28s %s\n' "ffmpeg ${size_mib} MiB" "$(peak $ff_cmd)"

echo
echo "== throughput ratios (median wall time of the other tool / vox2wav's; goal: sox >= 5, ffmpeg >= 4)"
python3 - "$work/times.json" "$size_mib" <<'PY'
import json, sys
res = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
mib = float(sys.argv[2])
for name, r in res.items():
    print(f"{name:18s} median {r['median']:.3f} s  {mib / r['median']:7.1f} MiB/s of VOX")
for ours in ("vox2wav", "vox2wav -r 8000"):
    o = res[ours]["median"]
    print(f"{ours:18s} vs sox {res['sox']['median'] / o:5.2f}x   vs ffmpeg {res['ffmpeg']['median'] / o:5.2f}x")
PY

# The other decoders use a slightly different delta rule, so their output drifts slowly in DC
# away from ours; agreement is judged on sample-to-sample differences, which carry no DC.
echo
echo "== agreement with the other decoders (first 10 s, correlation of first differences)"
python3 - "$work" <<'PY'
import array, math, sys
def load(path, n=60000):
    with open(path, "rb") as f:
        data = f.read()
    start = data.find(b"data") + 8
    a = array.array("h"); a.frombytes(data[start:start + 2 * n])
    return [a[i + 1] - a[i] for i in range(len(a) - 1)]
def corr(x, y):
    n = min(len(x), len(y)); mx = sum(x[:n]) / n; my = sum(y[:n]) / n
    sxy = sum((x[i] - mx) * (y[i] - my) for i in range(n))
    sxx = sum((x[i] - mx) ** 2 for i in range(n)); syy = sum((y[i] - my) ** 2 for i in range(n))
    return sxy / math.sqrt(sxx * syy)
ours = load(sys.argv[1] + "/ours.wav")
for other in ("sox", "ff"):
    print(f"correlation with {other:4s} {corr(ours, load(sys.argv[1] + '/' + other + '.wav')):.4f}")
PY
