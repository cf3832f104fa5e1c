#!/bin/sh
# Installs, as root on Debian 12, every package Kelmora needs to build, run and test.
set -eu
packages="
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy
  xvfb xauth x11-utils openbox xclip
  desktop-file-utils lintian xdotool imagemagick
  python3 appstream shared-mime-info
  libxlsxwriter-dev gettext python3-openpyxl jq
"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
fi
