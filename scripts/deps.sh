#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only what is missing).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation xvfb xauth locales
  desktop-file-utils dpkg-dev shared-mime-info man-db openbox xdotool
  cups-daemon cups-client cups-filters printer-driver-cups-pdf poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Real locales for the regional tests, which otherwise skip their locale readings.
if command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  for name in de_DE fr_FR de_CH en_US ja_JP; do
    locale -a 2>/dev/null | grep -qix "${name}.utf8" || $SUDO localedef -i "$name" -c -f UTF-8 "${name}.UTF-8" || true
  done
fi
