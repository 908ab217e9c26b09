#!/usr/bin/env bash
# Builds a release from this checkout: the shipped i686 build of brimlow.exe, made in a build
# folder of its own, then
#   build/release/brimlow-VERSION-setup.exe      the installer (per machine, silent with /S)
#   build/release/brimlow-VERSION-portable.zip   brimlow.exe, README.txt and LICENSE.txt
# The product's name, version, publisher and home page come from app/product.h. Nothing of the
# build machine goes into the artefacts (no time stamps, fixed file times and order), so the
# same commit gives the same bytes.
#   scripts/release.sh [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/build/release}
mkdir -p "$out" && out=$(cd "$out" && pwd)
"$root/scripts/setup.sh"

fact() {  # fact NAME : the text of `inline constexpr const char* NAME = "...";` in app/product.h
  sed -n "s/^inline constexpr const char\* $1 = \"\(.*\)\";.*/\1/p" "$root/app/product.h"
}
product=$(fact kProductName) version=$(fact kVersionText) publisher=$(fact kPublisher) homepage=$(fact kHomePage)
for v in product version publisher homepage; do
  [ -n "${!v}" ] || { echo "app/product.h names no $v" >&2; exit 1; }
done
cmake_version=$(sed -n 's/^project(Brimlow VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
if [ "$cmake_version" != "$version" ] || ! grep -q "VALUE \"ProductVersion\", \"$version\"" "$root/res/brimlow.rc"; then
  echo "version $version of app/product.h differs from CMakeLists.txt ($cmake_version) or res/brimlow.rc" >&2
  exit 1
fi
name=$(echo "$product" | tr 'A-Z' 'a-z')-$version
setup=$out/$name-setup.exe zip=$out/$name-portable.zip

# A fixed time for every file inside the artefacts: the commit's, else the version's era.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)}
export SOURCE_DATE_EPOCH=$epoch

echo "== building $product $version (i686)"
obj=$out/obj
cmake -S "$root" -B "$obj" -G Ninja --toolchain "$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp" >/dev/null
cmake --build "$obj" --target brimlow -j "${BRIMLOW_JOBS:-2}"
x86_64-w64-mingw32-objdump -f "$obj/brimlow.exe" | grep -q 'file format pei-i386' \
  || { echo "$obj/brimlow.exe is not an i686 program" >&2; exit 1; }

stage=$out/stage
rm -rf "$stage"; mkdir -p "$stage"
cp "$obj/brimlow.exe" "$stage/brimlow.exe"
# Windows text files: CR LF.
sed -e "s|@VERSION@|$version|g" -e "s|@HOMEPAGE@|$homepage|g" -e 's/$/\r/' "$root/installer/README.txt" > "$stage/README.txt"
sed -e 's/$/\r/' "$root/LICENSE.txt" > "$stage/LICENSE.txt"
touch -d "@$epoch" "$stage"/*

echo "== installer"
size_kb=$(( ($(cat "$stage"/* | wc -c) + 1023) / 1024 ))
rm -f "$setup"
makensis -V2 -NOCD "-DPRODUCT=$product" "-DVERSION=$version" "-DPUBLISHER=$publisher" "-DHOMEPAGE=$homepage" \
  "-DSIZE_KB=$size_kb" "-DSTAGE=$stage" "-DICON=$obj/art/brimlow.ico" "-DOUTFILE=$setup" "$root/installer/brimlow.nsi"

echo "== portable archive"
rm -f "$zip"
(cd "$stage" && TZ=UTC zip -X -D -q -9 "$zip" brimlow.exe README.txt LICENSE.txt)

for f in "$setup" "$zip"; do
  printf '%s  %s bytes  sha256 %s\n' "${f#$root/}" "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -d' ' -f1)"
done
