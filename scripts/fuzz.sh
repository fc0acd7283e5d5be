#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
# (default 60) seconds. Usage: scripts/fuzz.sh [target...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${FUZZ_SECONDS:-60}"
CC=clang CXX=clang++ "$root/scripts/build.sh" build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSONIVEL_BUILD_FUZZ=ON -DSONIVEL_BUILD_UI=OFF -DSONIVEL_BUILD_TESTS=OFF
# Undefined behaviour ends a run as a crash does, instead of being printed and passed over.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find build/fuzz/tests/fuzz -maxdepth 1 -type f -name 'fuzz_*' -executable -printf '%f\n' | sort)
fi
# A target's committed seeds (tests/fuzz/seeds/<target>/) are read along with
# its corpus, and its dictionary (tests/fuzz/<target>.dict) guides the mutations.
for t in "${targets[@]}"; do
  echo "-- $t: ${seconds}s"
  mkdir -p "build/fuzz/corpus/$t"
  inputs=("build/fuzz/corpus/$t")
  options=()
  if [ -d "tests/fuzz/seeds/$t" ]; then inputs+=("tests/fuzz/seeds/$t"); fi
  if [ -f "tests/fuzz/$t.dict" ]; then options+=("-dict=tests/fuzz/$t.dict"); fi
  "build/fuzz/tests/fuzz/$t" "${options[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 "${inputs[@]}" 2>&1 | tail -n 12
done
