#!/bin/sh
# Checks `cmake --install` into a temporary prefix and the Debian package built by
# cpack: the files land where desktops look for them, the desktop entry, the
# AppStream data and the man pages validate, lintian finds neither error nor
# warning in the package, and the program unpacked from it prints its help and
# converts a font.
set -eu
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

check_tree() {
  root="$1"
  [ -x "$root/bin/morvane" ] || fail "$root/bin/morvane missing"
  [ -s "$root/lib/morvane/Morvane-window.so" ] || fail "$root/lib/morvane/Morvane-window.so missing"
  [ "$(readlink "$root/bin/Morvane")" = morvane ] || fail "$root/bin/Morvane is no link to morvane"
  for size in 16 22 24 32 48 64 128 256; do
    [ -s "$root/share/icons/hicolor/${size}x${size}/apps/morvane.png" ] || fail "icon ${size} missing"
  done
  [ -s "$root/share/icons/hicolor/scalable/apps/morvane.svg" ] || fail "scalable icon missing"
  desktop-file-validate "$root/share/applications/morvane.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$root/share/metainfo/org.morvane.morvane.metainfo.xml" || fail "metainfo"
  [ "$(readlink "$root/share/man/man1/Morvane.1.gz")" = morvane.1.gz ] || fail "no man page for Morvane"
  warnings="$(MANWIDTH=80 man --warnings -l "$root/share/man/man1/morvane.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man page: $warnings"
  MANWIDTH=80 man -l "$root/share/man/man1/morvane.1.gz" 2>/dev/null | grep -q -- '-readpattern' || fail "man page text"
  gzip -t "$root/share/doc/morvane/changelog.gz" || fail "changelog"
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$root/share/doc/morvane/copyright" || fail "copyright file"
}

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
check_tree "$tmp/prefix"

(cd "$build" && cpack -G DEB -B "$tmp/package" >/dev/null)
deb="$(ls "$tmp"/package/morvane_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# Every library the program and its window module link must be covered, and the
# window's platform plugins.
needed="libc6 libfreetype6 libfontconfig1 libqt6widgets6 qt6-qpa-plugins"
for pkg in $needed; do
  echo "$depends" | grep -q "$pkg" || fail "$pkg not among the package's dependencies"
done
# lintian as a Debian maintainer runs it: no error, no warning.
lintian --fail-on error,warning "$deb" >"$tmp/lintian.out" 2>&1 ||
  fail "lintian: $(grep -v 'root privileges' "$tmp/lintian.out")"
dpkg -x "$deb" "$tmp/root"
check_tree "$tmp/root/usr"

mkdir -p "$tmp/work"
cd "$tmp/work"
export XDG_CONFIG_HOME="$tmp/config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$tmp/root/usr/bin/morvane" -? >help.txt
grep -q '^Valid command line options:' help.txt || fail "help text"
grep -q '^-readpattern' help.txt || fail "help rows"
"$tmp/root/usr/bin/Morvane" -hide "-createDejaVu Sans,REGULAR,16,STD,UC16" -saveasdv16.c,C -exit
[ ! -e Morvane.err ] || fail "conversion: $(cat Morvane.err)"
grep -q 'GUI_FONT' dv16.c || fail "no font in the converted file"
# The installed program finds its window module and paints its window.
QT_QPA_PLATFORM=offscreen MORVANE_EXIT_AFTER_FIRST_PAINT=1 "$tmp/root/usr/bin/morvane" dv16.c ||
  fail "the installed window did not open"
echo "package $(basename "$deb") installs and runs"
