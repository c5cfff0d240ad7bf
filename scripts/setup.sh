#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the programs need,
# skipping what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-qpa-plugins fonts-wqy-zenhei fonts-dejavu-core
  fonts-arphic-uming fonts-liberation2 libcups2 libcups2-dev poppler-utils
  cups-daemon cups-client printer-driver-cups-pdf
  xvfb xauth
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-dev
  fp-utils xchm xdg-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
