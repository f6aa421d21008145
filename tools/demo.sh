#!/bin/sh
# Runs the program's main job: DejaVu Sans at 16 pixels, 4 bits per pixel, all of
# its Unicode characters, saved as C source into demo-out/ of the checkout.
set -eu
exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
out="$(cd "$(dirname "$0")/.." && pwd)/demo-out"
mkdir -p "$out"
cd "$out"
rm -f dv16.c Morvane.err
"$exe" -hide "-createDejaVu Sans,REGULAR,16,AA4,UC16" -saveasdv16.c,C -exit
if [ -f Morvane.err ]; then
  cat Morvane.err >&2
  echo >&2
  exit 1
fi
echo "$(grep -c '^static .* unsigned char ac' dv16.c) characters of DejaVu Sans, 16 pixels, 4 bpp:"
echo "$out/dv16.c"
