#!/usr/bin/env bash
# Sets everything up, builds Sonivel and starts it. When no meter is found,
# the meter simulator is started and Sonivel talks to it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release -DSONIVEL_BUILD_TESTS=OFF
exec "$root/build/release/src/app/sonivel" "$@"
