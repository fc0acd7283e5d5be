#!/usr/bin/env bash
# drive-long-save.sh [BUILD_DIR]: drives the program under Xvfb as a person
# would with a day at 0.1 s (864,000 records): opens the file, shows its group
# in the data-logger window, starts Save Selected over an existing file and,
# while the save runs, moves the pointer over the chart and checks that the
# Indication boxes follow it (the window answers); then presses Cancel in the
# progress dialog and checks the existing file is byte for byte as before.
# The program runs on one processor beside a busy loop, so the save lasts
# long enough to be watched (as on a slow machine). Screenshots and the
# program's output go to the folder it prints. Exit 0 when every check held.
# Needs xvfb, xdotool and imagemagick (scripts/install-deps.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" 2>/dev/null && pwd || true)"
app="$build/src/app/sonivel"
[ -x "$app" ] || { echo "No program at $app (build first, or name the build folder)." >&2; exit 2; }

work="$(mktemp -d /tmp/sonivel-drive.XXXXXX)"
display=":$((90 + RANDOM % 100))"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
sleep 1

# The day's data text file: a slow swing with noise, one record each 0.1 s.
awk 'BEGIN { printf "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n";
  for (i = 0; i < 864000; i++) { s = int(i / 10);
    printf "%02d-03-2021,%02d:%02d:%02d, %5.2f, dBA\r\n", 1 + int(s / 86400), int(s / 3600) % 24,
      int(s / 60) % 60, s % 60, 55 + 20 * sin(i * 0.00031) + ((i * 7919) % 113) / 10.0 } }' >"$work/day.txt"
printf 'DECIVOX DATA LOGGER SamplingRate:1.0;\r\n01-01-2020,00:00:00, 50.00, dBA\r\n' >"$work/target.txt"
cp "$work/target.txt" "$work/target.before"

fail=0
check() { if "$@"; then echo "ok: ${label}"; else echo "FAILED: ${label}"; fail=1; fi; }
shot() { import -window root "$work/$1.png"; }
# The Indication boxes (value and time) of the data-logger window as an image.
indication() {
  eval "$(xdotool getwindowgeometry --shell "$logwin")"
  import -window root -crop "140x55+$((X + 440))+$((Y + 124))" "$work/$1.png"
}
# The visible top-level window other than the main and data-logger windows
# whose size lies in the given bounds (no window manager: found by size).
dialog_window() {
  for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$w" != "$logwin" ] && [ "$WIDTH" -gt "$1" ] && [ "$WIDTH" -lt "$2" ] && [ "$HEIGHT" -gt "$3" ] && [ "$HEIGHT" -lt "$4" ]; then
      echo "$w"
    fi
  done | tail -n 1
}
differ() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" != "0" ]; }

# The file dialogs start in the folder they last used (none yet: the home
# folder), so the file is named with its whole path.
cd "$work"
taskset -c 0 nice -n 5 "$app" "$work/day.txt" >"$work/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
logwin="$(xdotool search --sync --name '^DATALOGGER$' | head -n 1)"
sleep 2
xdotool mousemove --window "$logwin" 26 50 click --repeat 2 --delay 80 1   # the group
sleep 3
shot 1-group-shown
indication 1-indication-before   # empty: the pointer is off the chart

# Save Selected over target.txt: menu, file dialog, the question to replace it.
files=""
for _ in 1 2 3; do
  xdotool mousemove --window "$logwin" 305 8 click 1
  sleep 1
  xdotool mousemove --window "$logwin" 340 30 click 1
  # The file dialog: its name field (focused by a click), then Save.
  for _ in $(seq 20); do
    files="$(dialog_window 450 900 300 600)"
    [ -n "$files" ] && break
    sleep 0.5
  done
  [ -n "$files" ] && break
done
label="the save dialog came up"; check test -n "$files"
xdotool mousemove --window "$files" 301 358 click 1
xdotool key ctrl+a BackSpace
xdotool type --delay 20 "$work/target.txt"
sleep 0.5
shot 2-file-named
# From here the program shares its processor with a busy loop.
taskset -c 0 nice -n -15 sh -c 'while :; do :; done' 2>/dev/null &
pids+=($!)
hog=$!
xdotool key Return
sleep 1
shot 2-replace-question
xdotool key alt+y

# The progress dialog appears once the save has run for a moment.
progress=""
for _ in $(seq 1 100); do
  progress="$(dialog_window 150 600 50 300)"
  [ -n "$progress" ] && break
  sleep 0.2
done
label="the progress dialog is on screen during the save"; check test -n "$progress"

# While it saves: the pointer over the chart; the Indication boxes, empty
# until now, must show the record under it.
xdotool mousemove --window "$logwin" 520 400
sleep 0.3
xdotool mousemove --window "$logwin" 880 400
sleep 0.5
indication 3-indication-during-save
label="the window answers the pointer during the save"; check differ 1-indication-before 3-indication-during-save

# Cancel in the progress dialog.
if [ -n "$progress" ]; then
  shot 4-during-save
  eval "$(xdotool getwindowgeometry --shell "$progress")"
  xdotool mousemove --window "$progress" $((WIDTH - 50)) $((HEIGHT - 22)) click 1
fi
sleep 3
kill "$hog" 2>/dev/null || true
sleep 2
shot 5-after-cancel
label="after Cancel the existing file is as before"; check cmp -s "$work/target.txt" "$work/target.before"
label="no temporary file is left beside it"; check test "$(ls -A "$work" | grep target | grep -c -v -x -e target.txt -e target.before)" = 0
label="the program still runs"; check kill -0 "$app_pid"
echo "Screenshots and program output: $work"
exit "$fail"
