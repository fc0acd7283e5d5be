#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Sonivel
# need, or with arguments just the packages named (a check that needs more).
# Idempotent: packages already installed are skipped.
set -euo pipefail

# fonts-liberation2: Liberation Sans has Arial's metrics, which the windows
# were laid out for (the program prefers it; the look test also uses DejaVu).
# mosquitto, mosquitto-clients, openssl: the MQTT tests start a real broker
# and make a test certificate authority.
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev libmosquitto-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick poppler-utils fonts-dejavu-core fonts-liberation2 socat
  mosquitto mosquitto-clients openssl
)
if [ $# -gt 0 ]; then packages=("$@"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
