#!/bin/sh
# Shows what the program does from the command line.
set -eu
exe="$1"
"$exe" -?
