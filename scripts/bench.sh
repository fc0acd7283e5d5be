#!/usr/bin/env bash
# Builds and runs the benchmarks (Release).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build/bench -DCMAKE_BUILD_TYPE=Release -DSONIVEL_BUILD_BENCH=ON -DSONIVEL_BUILD_TESTS=OFF
export QT_QPA_PLATFORM=offscreen
for b in build/bench/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then "$b" "$@"; fi
done
