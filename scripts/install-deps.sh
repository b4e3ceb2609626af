#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Reelvane needs.
# Run as root (or through sudo). Safe to run again.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config git \
  libgtest-dev googletest \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev \
  libgl-dev libxkbcommon-dev \
  libblkid-dev \
  ffmpeg dosfstools mtools util-linux e2fsprogs squashfs-tools exfatprogs \
  xvfb xauth imagemagick x11-apps xdotool \
  fonts-liberation fonts-wqy-zenhei fontconfig \
  fp-utils xdg-utils
