#!/usr/bin/env bash
# The program started with a book checks it at once: a stand-in `java`
# first on PATH records what it was asked to check. Started as the warm
# checker host it ends at once, so the program checks the book with
# "java -jar".
# Usage: book_argument_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/java" <<SCRIPT
#!/bin/sh
[ "\$1" = -jar ] || exit 0
printf '%s\n' "\$@" > "$work/asked"
SCRIPT
chmod +x "$work/bin/java"
book="$work/my \"odd\" book.epub"
PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen "$program" "$book" &
pid=$!
for _ in $(seq 300); do
  [ -s "$work/asked" ] && break
  sleep 0.1
done
[ -s "$work/asked" ] || { echo "the book was not checked" >&2; exit 1; }
expected=$(printf '%s\n' -jar "$(dirname "$program")/epubcheck/epubcheck.jar" "$book")
[ "$(cat "$work/asked")" = "$expected" ] || { echo "checked with: $(cat "$work/asked")" >&2; exit 1; }
echo "the book named on the command line was checked at once"
