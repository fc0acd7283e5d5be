#!/usr/bin/env bash
# Sets everything up, builds Sonivel and starts it. When no meter is found
# (no CP210x bridge and no SONIVEL_PORT), the meter simulator is started on a
# pseudo-terminal and Sonivel is pointed at it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release -DSONIVEL_BUILD_TESTS=OFF

bin="$root/build/release"
sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [ -z "${SONIVEL_PORT:-}" ] && ! "$bin/tools/log/sonivel-log" ports | grep -q '^automatic search: /'; then
  out="$(mktemp)"
  "$bin/tools/sim/sonivel-meter-sim" >"$out" &
  sim_pid=$!
  device=""
  for _ in $(seq 50); do
    device="$(head -n 1 "$out")"
    [ -n "$device" ] && break
    sleep 0.1
  done
  rm -f "$out"
  [ -n "$device" ] || { echo "The meter simulator did not start." >&2; exit 1; }
  export SONIVEL_PORT="$device"
  echo "No meter found: started the meter simulator on $device (SONIVEL_PORT)."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set): start Sonivel from a desktop session." >&2
  exit 1
fi
"$bin/src/app/sonivel" "$@"
