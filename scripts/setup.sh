#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine. Safe to run again: it does
# nothing when everything is there.
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 wine32:i386 xvfb xauth imagemagick hwdata
          qemu-user-static
          clang libclang-rt-dev nsis zip)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
