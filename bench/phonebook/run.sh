#!/usr/bin/env bash
# Phonebook speed at 10,000 entries, offscreen:
#  - the list load (with its sort) and each other order, against a plain read of every entry file,
#    timed in one process, and as whole processes with hyperfine;
#  - naming a message list of 10,000 items (and sorting it by name): file reads counted.
# Usage: bench/phonebook/run.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
bin=$build/bench/phonebook
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work
book=$work/phonebook

"$bin/phonebook_bench" generate "$book" 10000
echo "--- in one process (best of several runs)"
"$bin/phonebook_bench" load "$book"
echo "--- caller names for a message list"
"$bin/phonebook_bench" lookup "$book" 10000

echo "--- whole processes (the list process also starts Qt and builds its widget)"
hyperfine -N --warmup 2 --runs 10 --export-json "$work/h.json" \
  "$bin/phonebook_plain_read $book" "$bin/phonebook_bench load-once $book"
python3 - "$work/h.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"]
plain, load = r[0]["mean"], r[1]["mean"]
print(f"load-once / plain read: {load / plain:.2f} x (target: under 5)")
sys.exit(0 if load < 5 * plain else 1)
PY
