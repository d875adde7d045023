#!/usr/bin/env bash
# Runs a command on a private X server of its own, then stops the server.
# Usage: with_x11.sh [--wm] [--compositor] [--] COMMAND [ARGUMENT...]
#   --wm          also run openbox, with the tests' own configuration
#   --compositor  also run the compositing manager xcompmgr
set -euo pipefail

window_manager=0
compositor=0
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) window_manager=1 ;;
    --compositor) compositor=1 ;;
    --) shift; break ;;
    *) break ;;
  esac
  shift
done

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

wait_for_window_manager() {
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.05
  done
  return 1
}

if [ "$window_manager" = 1 ]; then
  openbox --config-file "$here/openbox-rc.xml" >"$work/openbox.log" 2>&1 &
  pids+=($!)
  wait_for_window_manager || { cat "$work/openbox.log" >&2; echo "openbox did not start" >&2; exit 1; }
fi
if [ "$compositor" = 1 ]; then
  xcompmgr >"$work/xcompmgr.log" 2>&1 &
  pids+=($!)
  sleep 0.3
fi

"$@"
