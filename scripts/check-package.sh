#!/usr/bin/env bash
# Builds the Debian package and checks it as a user would meet it: installed
# with apt, the programs run from /usr/bin, the man page is found, the desktop
# entry and the metainfo validate, a data text file gets its MIME type, the
# window opens from the desktop entry's Exec line (under Xvfb, against the meter
# simulator) with the WM_CLASS the entry names, and removing the package takes the
# programs away again. Needs root or sudo (apt-get install/remove).
#   scripts/check-package.sh [BUILD_DIR]      (default build/package)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/package}"
app_id=io.github.sonivel.Sonivel   # the metainfo; the desktop entry and icon are "sonivel"

"$root/scripts/install-deps.sh"
# The packaging tools, only for this check.
"$root/scripts/install-deps.sh" desktop-file-utils appstream help2man dpkg-dev man-db \
  shared-mime-info libglib2.0-bin x11-utils

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

fail() { echo "check-package: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "Desktop entry and metainfo in the source tree"
desktop-file-validate packaging/sonivel.desktop
appstreamcli validate --no-net "packaging/$app_id.metainfo.xml"

step "Release build for /usr and the Debian package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSONIVEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/sonivel_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/sonivel_*.deb)"
dpkg-deb --field "$deb" Package Version Section Depends
contents="$(dpkg-deb --contents "$deb")"
for f in ./usr/lib/udev/rules.d/70-sonivel-cp210x.rules ./usr/share/man/man1/sonivel-log.1.gz \
         "./usr/share/applications/sonivel.desktop" "./usr/share/icons/hicolor/48x48/apps/sonivel.png"; do
  grep -qF " $f" <<<"$contents" || fail "$f is not in $deb"
done

work="$(mktemp -d)"
sim_pid=""
xvfb_pid=""
app_pid=""
installed=""
cleanup() {
  for pid in $app_pid $sim_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$installed" ]; then $SUDO apt-get remove -y -qq sonivel >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

step "apt-get install $deb"
installed=yes
$SUDO apt-get install -y -qq --reinstall "$(realpath "$deb")"

step "The programs from /usr/bin"
/usr/bin/sonivel-log --version
/usr/bin/sonivel --version
/usr/bin/sonivel-log --version | grep -q "0\.1" || fail "sonivel-log --version names no version"
man -w sonivel-log || fail "man finds no page for sonivel-log"
man -w sonivel >/dev/null || fail "man finds no page for sonivel"

step "Installed desktop entry, metainfo and MIME type"
entry="/usr/share/applications/sonivel.desktop"
desktop-file-validate "$entry"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
printf 'DECIVOX DATA LOGGER SamplingRate:1.0;\r\n08-12-2026,10:00:00, 55.20, dBA\r\n' >"$work/run.txt"
echo "a note" >"$work/notes.txt"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
[ "$(type_of "$work/run.txt")" = text/x-sonivel-data ] || fail "a data text file is $(type_of "$work/run.txt")"
[ "$(type_of "$work/notes.txt")" = text/plain ] || fail "a plain .txt file is $(type_of "$work/notes.txt")"

step "The window from the desktop entry's Exec line, against the meter simulator"
exec_line="$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuU]//')"
[ -n "$exec_line" ] || fail "$entry has no Exec line"
read -r -a exec_words <<<"$exec_line"
/usr/bin/sonivel-meter-sim >"$work/sim.out" &
sim_pid=$!
device=""
for _ in $(seq 100); do
  device="$(head -n 1 "$work/sim.out")"
  [ -n "$device" ] && break
  sleep 0.1
done
[ -n "$device" ] || fail "the meter simulator did not start"
# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.out" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 300); do
  [ -s "$work/display" ] && display=":$(head -n 1 "$work/display")" && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$display" ] || { cat "$work/xvfb.out" >&2; fail "Xvfb did not start"; }
# A fresh home keeps the check's settings and journal away from the user's.
mkdir -p "$work/home"
(cd "$work" && exec env -u QT_QPA_PLATFORM DISPLAY="$display" HOME="$work/home" \
  XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.local/state" \
  SONIVEL_PORT="$device" "${exec_words[@]}") >"$work/app.out" 2>&1 &
app_pid=$!
window=""
for _ in $(seq 300); do
  window="$(DISPLAY="$display" xdotool search --onlyvisible --name Sonivel 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || { cat "$work/app.out" >&2; fail "sonivel ended before its window appeared"; }
  sleep 0.2
done
[ -n "$window" ] || { cat "$work/app.out" >&2; fail "no Sonivel window appeared within 60 s"; }
echo "window $window: $(DISPLAY="$display" xdotool getwindowname "$window")"
# On X11 a desktop knows the entry of a window by its WM_CLASS (on Wayland by
# the application's desktop file name, which X11 does not carry).
wm_class="$(DISPLAY="$display" xprop -id "$window" WM_CLASS)"
echo "$wm_class"
startup_class="$(sed -n 's/^StartupWMClass=//p' "$entry")"
grep -qF "\"$startup_class\"" <<<"$wm_class" \
  || fail "the window's $wm_class does not match the entry's StartupWMClass=$startup_class"
kill "$app_pid"
wait "$app_pid" || fail "sonivel did not end cleanly on SIGTERM"
app_pid=""

step "apt-get remove sonivel"
$SUDO apt-get remove -y -qq sonivel
installed=""
for f in /usr/bin/sonivel /usr/bin/sonivel-log /usr/lib/udev/rules.d/70-sonivel-cp210x.rules "$entry"; do
  [ ! -e "$f" ] || fail "$f is still there after the removal"
done
echo "The package installs, runs and removes cleanly."
