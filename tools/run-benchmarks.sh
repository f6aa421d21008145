#!/bin/sh
# Runs every benchmark built in the build folder given.
set -eu
build="$1"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
