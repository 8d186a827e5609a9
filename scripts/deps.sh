#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only what is missing).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev libgmp-dev
  clang
  fonts-liberation xvfb xauth locales
  desktop-file-utils dpkg-dev shared-mime-info man-db openbox xdotool
  appstream lintian x11-utils
  cups-daemon cups-client cups-filters printer-driver-cups-pdf poppler-utils
  python3-xlib
  at-spi2-core python3-pyatspi dbus-bin
)

source "$(dirname "$0")/as-root.sh"
updated=no

update_once() {
  if [ "$updated" = no ]; then
    qv_as_root apt-get update -qq
    updated=yes
  fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }

install_missing() {
  local missing=() p
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  update_once
  qv_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# libFuzzer and the sanitizer runtimes must match the clang that is installed,
# whichever version the release ships.
clang_major=$(clang -dumpversion | cut -d. -f1)
runtime="libclang-rt-${clang_major}-dev"
if ! installed "$runtime"; then
  update_once
  # Releases before the split keep the runtimes in the common package.
  apt-cache show "$runtime" >/dev/null 2>&1 || runtime="libclang-common-${clang_major}-dev"
  install_missing "$runtime"
fi

# Real locales for the regional tests, which otherwise skip their locale readings.
if command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ]; then
  for name in de_DE fr_FR de_CH en_US ja_JP; do
    locale -a 2>/dev/null | grep -qix "${name}.utf8" || qv_as_root localedef -i "$name" -c -f UTF-8 "${name}.UTF-8" || true
  done
fi
