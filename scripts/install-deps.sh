#!/usr/bin/env bash
# Installs the Debian 12 packages the launcher needs to build, run and be
# tested. Only missing packages are installed; apt-get runs through sudo when
# not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation
    xvfb xauth openbox xdotool x11-utils imagemagick
    xdg-utils dosbox nasm iproute2
    libminiupnpc-dev libsndfile1-dev
    genisoimage vorbis-tools flac lame
    g++-mingw-w64-x86-64-posix wine wine64 fonts-croscore xclip xz-utils
    dpkg-dev lintian desktop-file-utils appstream
    acl exfat-fuse exfatprogs strace
    dbus at-spi2-core python3-pyatspi
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
