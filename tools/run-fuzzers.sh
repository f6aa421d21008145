#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz and runs each for a
# bounded time (first argument, seconds; default 60), starting from the
# regression inputs in tests/data/fuzz/<target>. New corpus entries stay in
# build-fuzz/corpus; inputs that crash, leak or time out are written to
# build-fuzz/findings/<target>/ and make the script fail. Copy them into
# tests/data/fuzz/<target>/ so the test suite replays them from then on.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
cmake -S . -B $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build $build -j "$(nproc)" --target fuzzers
status=0
for target in c_read xbf_read bdf_read pattern readers; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "fuzz_$target: $seconds s"
  if ! ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$findings/" -print_final_stats=1 \
      "$corpus" "tests/data/fuzz/$target" >"$build/fuzz_$target.log" 2>&1; then
    echo "fuzz_$target found a failure: see $build/fuzz_$target.log and $findings/"
    status=1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$build/fuzz_$target.log" || true
done
exit $status
