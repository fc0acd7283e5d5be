#!/usr/bin/env bash
# Sets everything up and runs every test suite:
#   1. all tests built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   2. the CSV file of sonivel-log opened in LibreOffice Calc (installed when missing),
#   3. the threaded tests (label "threaded") built with ThreadSanitizer,
#   4. a short run of every fuzz target (clang, libFuzzer).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

echo "== ASan + UBSan build and tests =="
"$root/scripts/build.sh" build/asan -DCMAKE_BUILD_TYPE=Debug -DSONIVEL_SANITIZE=address,undefined
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== CSV file in LibreOffice Calc =="
"$root/scripts/check-csv-libreoffice.sh" build/asan

echo "== ThreadSanitizer build and threaded tests =="
"$root/scripts/build.sh" build/tsan -DCMAKE_BUILD_TYPE=Debug -DSONIVEL_SANITIZE=thread -DSONIVEL_BUILD_UI=OFF
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -L threaded -j "$jobs"

echo "== Fuzz smoke runs =="
FUZZ_SECONDS="${FUZZ_SECONDS:-10}" "$root/scripts/fuzz.sh"
