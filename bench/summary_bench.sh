#!/usr/bin/env bash
# The summary's two benchmarks, in one run, in one warm prefix (persistent wineserver, null
# display driver):
#   (a) the summary refresh on a hidden main window without the clock measurement's 500 ms sleep
#       (refresh_bench.exe: median of repeated refreshes, then each collector alone);
#   (b) "brimlow.exe /AUTO" wall time against its floor: a trivial Win32 program's start in the
#       same warm Wine plus the 500 ms the clock measurement sleeps, as a ratio - against a
#       trivial program with one window (the floor of any windowed program) and, for comparison,
#       one without.
# Targets: (a) at most 60 ms; (b) at most 1.15.
# Run by hand after a build:  bench/summary_bench.sh [runs] [win32|win64]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/wine_lib.sh"
runs=${1:-11}
arch=${2:-$(wine_arch)}
build=$root/build/$arch
work=$root/build/bench
prefix=$work/prefix
mkdir -p "$work"
[ -f "$work/template/system.reg" ] || make_template "$work/template"
clone_prefix "$work/template" "$prefix"
trap 'wine_stop "$prefix"' EXIT
WINEPREFIX="$prefix" wineserver -p >/dev/null 2>&1 || true

# The floors, built like brimlow.exe: a Win32 program that starts and ends, and one that also
# creates and destroys a window - under Wine the first window of a process waits for the desktop
# process, which every windowed program pays and none can avoid.
cxx=i686-w64-mingw32-g++-posix
[ "$arch" = win64 ] && cxx=x86_64-w64-mingw32-g++-posix
printf '#include <windows.h>\nint WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }\n' > "$work/trivial.cpp"
cat > "$work/trivial_window.cpp" <<'CPP'
#include <windows.h>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "Trivial";
    ::RegisterClassA(&windowClass);
    ::DestroyWindow(::CreateWindowExA(0, "Trivial", "Trivial", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                      instance, nullptr));
    return 0;
}
CPP
$cxx -O2 -static -mwindows -o "$work/trivial.exe" "$work/trivial.cpp"
$cxx -O2 -static -mwindows -o "$work/trivial_window.exe" "$work/trivial_window.cpp"

ms_of() {  # ms_of program args... : wall time of one run in milliseconds
  local start end
  start=$(date +%s%N)
  wine_in "$prefix" 60 "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}
median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }

echo "== (a) summary refresh without the 500 ms sleep ($arch)"
wine_in "$prefix" 120 "$build/refresh_bench.exe" "$runs"

echo "== (b) /AUTO against the floor ($runs runs each, alternating)"
wine_in "$prefix" 60 "$build/brimlow.exe" /AUTO "$work/warmup.txt" >/dev/null 2>&1
ms_of "$work/trivial.exe" >/dev/null
plain_times=() window_times=() auto_times=()
for _ in $(seq "$runs"); do
  plain_times+=("$(ms_of "$work/trivial.exe")")
  window_times+=("$(ms_of "$work/trivial_window.exe")")
  auto_times+=("$(ms_of "$build/brimlow.exe" /AUTO "$work/report.txt")")
done
plain=$(printf '%s\n' "${plain_times[@]}" | median)
window=$(printf '%s\n' "${window_times[@]}" | median)
auto=$(printf '%s\n' "${auto_times[@]}" | median)
echo "trivial program start:            ${plain} ms (median; all: ${plain_times[*]})"
echo "trivial program with one window:  ${window} ms (median; all: ${window_times[*]})"
echo "/AUTO report:                     ${auto} ms (median; all: ${auto_times[*]})"
awk -v a="$auto" -v p="$plain" -v w="$window" 'BEGIN {
  printf "ratio /AUTO : (windowed start + 500 ms) = %.3f (target 1.15)\n", a / (w + 500)
  printf "ratio /AUTO : (plain start + 500 ms)    = %.3f\n", a / (p + 500)
}'
# Other work on the machine moves all three together; a ratio per round, taken from runs a moment
# apart, is steadier than the ratio of the medians.
paired=$(for i in "${!auto_times[@]}"; do
  awk -v a="${auto_times[$i]}" -v w="${window_times[$i]}" 'BEGIN { printf "%.3f\n", a / (w + 500) }'
done | median)
echo "median of the per-round ratios /AUTO : (windowed start + 500 ms) = $paired"
