#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix and checks what a user's
# system gets: the command, the program with its checker beside it, the
# desktop entry (valid, offering EPUB books) and the icon in every size.
# Usage: check_install.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
program=$(readlink -f "$prefix/bin/tessaly") || fail "no bin/tessaly"
[ -x "$program" ] || fail "bin/tessaly does not lead to the program"
case "$program" in "$prefix"/*) ;; *) fail "bin/tessaly leads out of the prefix: $program" ;; esac
[ -r "$(dirname "$program")/epubcheck/epubcheck.jar" ] || fail "no checker beside the program"
[ -r "$(dirname "$program")/epubcheck/tessaly-checker-host.jar" ] || fail "no warm checker host beside the program"

entry="$prefix/share/applications/tessaly.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx 'MimeType=application/epub+zip;' "$entry" || fail "the desktop entry does not offer EPUB books"
grep -qx 'Exec=tessaly %f' "$entry" || fail "the desktop entry does not pass the book"

for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tessaly.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  actual=$(identify -format '%wx%h' "$icon")
  [ "$actual" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $actual"
done
echo "install tree complete in a temporary prefix"
