#!/usr/bin/env bash
# Times the unattended report: N runs of "brimlow.exe /AUTO" in a warm prefix (persistent
# wineserver, null display driver), against an empty Win32 program as the floor that is Wine's own
# start-up. Run by hand after a build:  bench/auto_report.sh [runs] [win32|win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/wine_lib.sh"
runs=${1:-10}
arch=${2:-$(wine_arch)}
exe=$root/build/$arch/brimlow.exe
work=$root/build/bench
prefix=$work/prefix
mkdir -p "$work"
[ -f "$work/template/system.reg" ] || make_template "$work/template"
clone_prefix "$work/template" "$prefix"
trap 'wine_stop "$prefix"' EXIT
WINEPREFIX="$prefix" wineserver -p >/dev/null 2>&1 || true

# The floor: a program that starts and ends, built with the same compiler.
cxx=i686-w64-mingw32-g++-posix
[ "$arch" = win64 ] && cxx=x86_64-w64-mingw32-g++-posix
echo 'int main(){return 0;}' > "$work/empty.cpp"
$cxx -O2 -static -o "$work/empty.exe" "$work/empty.cpp"

median_ms() {  # median_ms exe args...
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    wine_in "$prefix" 60 "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

wine_in "$prefix" 60 "$exe" /AUTO "$work/warmup.txt" >/dev/null 2>&1
floor=$(median_ms "$work/empty.exe")
report=$(median_ms "$exe" /AUTO "$work/report.txt")
echo "empty program: ${floor} ms (median of $runs)"
echo "/AUTO report:  ${report} ms (median of $runs)"
echo "gathering and writing: $(( report - floor )) ms"
