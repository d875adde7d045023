#!/usr/bin/env bash
# Runs inside a private session bus: starts a display of its own with
# openbox, the accessibility bus, and the program, then the walk script.
# Usage: run_atspi_walk.sh PROGRAM WALK_SCRIPT OPENBOX_CONFIG
set -euo pipefail
program=$1 script=$2 openbox_config=$3
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number.
exec {displayfd}>"$work/display"
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
openbox --config-file "$openbox_config" >/dev/null 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)

# The program with its own settings, on the real display, telling the
# accessibility bus about itself.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$program" >/dev/null 2>&1 &
pids+=($!)

# Debian's AT-SPI bindings belong to the system's Python.
/usr/bin/python3 "$script"
