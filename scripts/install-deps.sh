#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kestrovane need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config libpcre2-dev libexiv2-dev exiv2 imagemagick \
  qt6-base-dev qt6-base-dev-tools libgl-dev \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  xdg-utils python3 fonts-dejavu-core desktop-file-utils appstream groff-base \
  fusefat dosfstools xvfb dbus at-spi2-core \
  python3-pyatspi xdotool openbox
