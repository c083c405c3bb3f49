#!/usr/bin/env bash
# Installs every Debian package the game, its build and its tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config clang libclang-rt-dev clang-format
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-qpa-plugins libqt6sql6-sqlite libgl-dev
  libjpeg-dev libsndfile1-dev libpulse-dev libcdio-dev libcdio-cdda-dev libcdio-paranoia-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick pulseaudio pulseaudio-utils sox
  openbox tint2 wmctrl strace
  fonts-dejavu-core
  # the toolkit's own texts (file dialogs) in French
  qt6-translations-l10n
  # installing and packaging: the package, its checks and the installed files' checks
  dpkg-dev file lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root to install: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
