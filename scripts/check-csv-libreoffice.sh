#!/usr/bin/env bash
# check-csv-libreoffice.sh [BUILD_DIR]: opens a CSV file written by
# `sonivel-log record --csv` (against the meter simulator) in LibreOffice Calc,
# headless and with no import settings, and checks that every local_time cell
# is a date-time of the record's time, every level cell a number of its level
# and every weighting cell the text A or C (the time with its UTC offset stays
# text in a spreadsheet). Uses the programs of BUILD_DIR
# (default build/asan; built when missing) and installs LibreOffice Calc when
# it is not there. Exit status 0 when the table is right, 1 with the cells
# that are not.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/asan}"

if ! command -v soffice >/dev/null; then
  package=libreoffice-calc-nogui
  apt-cache show "$package" >/dev/null 2>&1 || package=libreoffice-calc
  "$root/scripts/install-deps.sh" "$package"
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target sonivel-log sonivel-meter-sim

work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Local time one hour east of UTC, so the times carry an offset.
export TZ=CET-1
"$build/tools/sim/sonivel-meter-sim" --period 50 >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
device="$(head -n 1 "$work/sim.out")"
"$build/tools/log/sonivel-log" record --port "$device" --interval 0.1 --limit 8 \
  --out "$work/run.txt" --csv "$work/run.csv"

# A private profile (no settings of the user's, no clash with an open
# LibreOffice); the locale of a dot as decimal separator.
LC_ALL=C.UTF-8 LANG=C.UTF-8 soffice -env:UserInstallation="file://$work/profile" --headless \
  --convert-to fods --outdir "$work" "$work/run.csv" >"$work/soffice.out" 2>&1 || true
if [ ! -s "$work/run.fods" ]; then
  echo "check-csv-libreoffice: LibreOffice did not convert the CSV file:" >&2
  cat "$work/soffice.out" >&2
  exit 1
fi

# The cells in order as "type value" (the flat file holds one cell element
# per cell: no two neighbours are alike here, so none is repeated), beside
# the CSV fields (its lines end in CR LF).
grep -o '<table:table-cell [^>]*>' "$work/run.fods" |
  sed -E 's/.*office:value-type="([a-z]*)"( office:(date-)?value="([^"]*)")?.*/\1 \4/' >"$work/cells"
tail -n +2 "$work/run.csv" | tr -d '\r' | tr ',' '\n' | paste -d ' ' - <(tail -n +5 "$work/cells") >"$work/pairs"

awk -v rows="$(($(wc -l <"$work/run.csv") - 1))" '
  function bad(what) { printf "check-csv-libreoffice: row %d: %s\n", int((NR - 1) / 4) + 2, what; ++failures }
  {
    field = $1; type = $2; value = $3
    column = (NR - 1) % 4
    if (column == 0) {
      # The time with its UTC offset, which spreadsheets keep as text.
      time = field
    } else if (column == 3) {
      # A date-time of the record time to the second (the flat file keeps
      # hundredths and leaves out a time of midnight).
      if (length(value) == 10) value = value "T00:00:00"
      if (type != "date" || substr(value, 1, 19) != substr(field, 1, 19) || substr(time, 1, 23) != field)
        bad("local time " field " of " time " reads as " type " " value)
    } else if (column == 1) {
      if (type != "float" || value + 0 != field + 0)
        bad("level " field " reads as " type " " value)
    } else if (type != "string" || (field != "A" && field != "C")) {
      bad("weighting " field " reads as " type)
    }
  }
  END {
    if (NR != 4 * rows || rows == 0) { print "check-csv-libreoffice: " NR " cells for " rows " records"; ++failures }
    if (failures) exit 1
    print "check-csv-libreoffice: " rows " records read as date-times, numbers and weightings"
  }' "$work/pairs"
