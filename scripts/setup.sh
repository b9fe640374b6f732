#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping those already present.
set -euo pipefail
packages=(cmake g++ make pkg-config clang libclang-rt-14-dev
  libpng-dev libopenexr-dev libcairo2-dev fonts-dejavu-core nlohmann-json3-dev libcli11-dev libtbb-dev
  libgtest-dev libgmock-dev libbenchmark-dev)
# `setup.sh windows`: the mingw-w64 cross compiler (posix threads) and zlib
# for it; `setup.sh wine`: wine64 to run the Windows build.
case "${1:-}" in
  windows) packages=(cmake make g++ g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             libz-mingw-w64-dev nlohmann-json3-dev libcli11-dev) ;;
  wine) packages=(wine64) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
