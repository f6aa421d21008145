#!/bin/sh
# Installs the Debian packages of tools/debian-packages.txt that are missing:
#   tools/install-deps.sh program   those the program needs to build and run
#   tools/install-deps.sh [all]     those and the ones the tests need
set -eu
group="${1:-all}"
case "$group" in program | all) ;; *) echo "usage: $0 [program|all]" >&2; exit 2 ;; esac
list="$(dirname "$0")/debian-packages.txt"
# The list's "[program]" section comes first, then "[test]".
packages="$(awk -v all="$([ "$group" = all ] && echo 1)" '
  /^\[program\]/ { take = 1; next }
  /^\[test\]/ { take = all == 1; next }
  /^[[:space:]]*(#|$)/ { next }
  take { print $1 }' "$list")"
missing=""
for pkg in $packages; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
