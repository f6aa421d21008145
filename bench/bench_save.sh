#!/bin/sh
# Runs the saving benchmark with its peers: installs lv_font_conv with npm into the
# (git-ignored) build folder and otf2bdf from Debian when they are missing.
# Usage: bench/bench_save.sh [build folder, default build]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
tools="$build/bench-tools"
if [ ! -x "$tools/node_modules/.bin/lv_font_conv" ]; then
  npm install --prefix "$tools" --no-audit --no-fund lv_font_conv >/dev/null
fi
command -v otf2bdf >/dev/null || apt-get install -y otf2bdf >/dev/null
cmake --build "$build" --target Morvane bench_save >/dev/null
"$build/bench/bench_save"
