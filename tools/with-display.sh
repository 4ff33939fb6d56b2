#!/usr/bin/env bash
# Runs a command with an X display and a warm Wine: the user's display when
# there is one, otherwise a private Xvfb with the openbox window manager (the
# set-up closest to a desktop). The Wine prefix lives under build/ and its
# wineserver is kept alive for the duration of the command.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
export WINEARCH=win64

pids=()
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" >/dev/null 2>&1 || true; done
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  num=""
  for _ in $(seq 1 100); do
    read -r -t 0.1 -u "$fd" num && break
  done
  [ -n "$num" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$num"
  openbox >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
fi

mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
wineserver -p >/dev/null 2>&1
# Start Wine's own services now, with their output away from the command's:
# a service started by the first test would hold ctest's output pipe open.
wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
"$@"
