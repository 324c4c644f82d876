#!/bin/sh
# Times loading and showing a 10,000-message folder (phonebook of 1,000 entries naming half the
# callers) in each sort order against a plain program that only reads the 10,000 info files.
# The target is under 5x the plain read for every order. Usage: bench/messages/run.sh [build dir]
set -eu
BUILD=${1:-build}
BIN="$BUILD/bench/messages/messages_bench"
[ -x "$BIN" ] || cmake --build "$BUILD" --target messages_bench
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
"$BIN" fixture "$WORK"

echo "== in one process (warm cache, median of 11 rounds)"
"$BIN" compare "$WORK" 11

if command -v hyperfine >/dev/null 2>&1; then
    echo "== whole processes (includes starting Qt for the list runs)"
    hyperfine -N --warmup 2 --runs 10 \
        "$BIN plain $WORK" \
        "$BIN show $WORK date" \
        "$BIN show $WORK phone" \
        "$BIN show $WORK name"
fi
