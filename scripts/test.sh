#!/usr/bin/env bash
# Builds everything and runs every test layer:
#   1. unit tests of the portable core (native, AddressSanitizer + UndefinedBehaviorSanitizer)
#   2. Windows tests under Wine
#   3. end-to-end tests of brimlow.exe under Wine
#   4. the i686 layer: the shipped i686 build's Windows tests and reports, under Wine's 32-bit
#      loader (natively, or emulated where the kernel runs no i386 code)
#   5. the release: scripts/release.sh, then the installer and uninstaller under Wine
#   6. fuzz: the decoders' libFuzzer targets (clang, ASan + UBSan), 20 s each
# Layers 2 and 3 run the x86_64 build, layer 4 the i686 build, so both are tested on every machine.
# Installs what is missing first. Ends with "N passed, N failed" over all layers.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1
. "$root/scripts/wine_lib.sh"
. "$root/tests/e2e/e2e_lib.sh"

jobs=$(nproc)
build() {
  cmake --preset "$1" >/dev/null || return 1
  cmake --build --preset "$1" -j "$jobs" || return 1
}
for preset in native win32 win64; do
  echo "== build $preset"
  build "$preset" || { echo "build $preset failed"; echo "0 passed, 1 failed"; exit 1; }
done

passed=0 failed=0
layer() {  # layer NAME PASSED FAILED
  echo "== $1: $2 passed, $3 failed"
  passed=$((passed + $2)); failed=$((failed + $3))
}
closing_counts() {  # closing_counts TAG LOG : "PASSED FAILED" from the log's "TAG: N passed, N failed"
  local line
  line=$(grep -E "^$1: [0-9]+ passed, [0-9]+ failed$" "$2" | tail -n 1)
  [[ $line =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]] && echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" || echo "0 0"
}
work=$root/build/testrun
rm -rf "$work"; mkdir -p "$work"

echo "== unit tests"
"$root/build/native/unit_tests" 2>&1 | tee "$work/unit.log"
unit_rc=${PIPESTATUS[0]}
read -r ok bad < <(gtest_counts "$work/unit.log")
[ "$unit_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "unit tests" "$ok" "$bad"

arch=win64
echo "== Wine prefix"
template=$work/template
if ! make_template "$template"; then
  layer "Wine prefix" 0 1
  echo "$passed passed, $failed failed"; exit 1
fi

echo "== Windows tests"
clone_prefix "$template" "$work/win-prefix"
# The optical drive tests need a CD-ROM drive letter; Wine answers no SCSI command on it.
add_cdrom_drive "$work/win-prefix" d "$work/cdrom"
TZ=Europe/Berlin wine_in "$work/win-prefix" 600 "$root/build/$arch/win_tests.exe" 2>&1 | tee "$work/win.log"
win_rc=${PIPESTATUS[0]}
wine_stop "$work/win-prefix"
read -r ok bad < <(gtest_counts "$work/win.log")
[ "$win_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "Windows tests" "$ok" "$bad"

# Wine takes the time zone from TZ as a process starts: the zone without daylight saving runs apart.
echo "== Windows tests under TZ=UTC"
clone_prefix "$template" "$work/utc-prefix"
TZ=UTC wine_in "$work/utc-prefix" 120 "$root/build/$arch/win_tests.exe" --gtest_filter='DateTimeWindow.*' 2>&1 \
  | tee "$work/win-utc.log"
utc_rc=${PIPESTATUS[0]}
wine_stop "$work/utc-prefix"
read -r ok bad < <(gtest_counts "$work/win-utc.log")
[ "$utc_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "Windows tests (UTC)" "$ok" "$bad"

# The layouts again at a larger DPI (LogPixels of the prefix): fonts and controls grow by their
# own rounding there, and a window taller than the screen must scroll instead of losing rows.
for dpi in 120 144; do
  echo "== Windows tests at $dpi DPI"
  clone_prefix "$template" "$work/dpi-prefix"
  wine_in "$work/dpi-prefix" 60 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine_in "$work/dpi-prefix" 60 reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine_stop "$work/dpi-prefix"
  wine_in "$work/dpi-prefix" 300 "$root/build/$arch/win_tests.exe" --gtest_filter='LayoutAtThisDpi.*' 2>&1 \
    | tee "$work/win-dpi$dpi.log"
  dpi_rc=${PIPESTATUS[0]}
  wine_stop "$work/dpi-prefix"
  rm -rf "$work/dpi-prefix"
  read -r ok bad < <(gtest_counts "$work/win-dpi$dpi.log")
  [ "$dpi_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
  layer "Windows tests ($dpi DPI)" "$ok" "$bad"
done

echo "== binaries"
"$root/tests/e2e/check_binaries.sh" "$root/build" 2>&1 | tee "$work/binaries.log"
bin_rc=${PIPESTATUS[0]}
ok=$(grep -c '^ok:' "$work/binaries.log"); bad=$(grep -c '^FAILED:' "$work/binaries.log")
[ "$bin_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "binaries" "$ok" "$bad"

echo "== end-to-end tests"
"$root/tests/e2e/run_e2e.sh" "$root/build/$arch" "$template" "$work/e2e" 2>&1 | tee "$work/e2e.log"
e2e_rc=${PIPESTATUS[0]}
read -r ok bad < <(closing_counts e2e "$work/e2e.log")
[ "$e2e_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "end-to-end tests" "$ok" "$bad"

echo "== i686 layer"
"$root/tests/e2e/i686_layer.sh" "$root/build" "$template" "$work/i686" 2>&1 | tee "$work/i686.log"
i686_rc=${PIPESTATUS[0]}
mode=$(sed -n 's/^i686 code runs: //p' "$work/i686.log" | tail -n 1)
read -r ok bad < <(closing_counts i686 "$work/i686.log")
[ "$i686_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "i686 layer (${mode:-not started})" "$ok" "$bad"

echo "== release"
if "$root/scripts/release.sh" "$root/build/release" > "$work/release-build.log" 2>&1; then
  tail -n 2 "$work/release-build.log"
  "$root/tests/e2e/release_test.sh" "$root/build/release" "$template" "$work/release" 2>&1 | tee "$work/release.log"
  rel_rc=${PIPESTATUS[0]}
  read -r ok bad < <(closing_counts release "$work/release.log")
else
  tail -n 20 "$work/release-build.log"; rel_rc=1 ok=0 bad=0
fi
[ "$rel_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "release" "$ok" "$bad"

echo "== fuzz"
if build fuzz; then
  "$root/tests/fuzz/run_fuzz.sh" "$root/build/fuzz" "$work/fuzz" 2>&1 | tee "$work/fuzz.log"
  fuzz_rc=${PIPESTATUS[0]}
  read -r ok bad < <(closing_counts fuzz "$work/fuzz.log")
else
  echo "build fuzz failed"; fuzz_rc=1 ok=0 bad=0
fi
[ "$fuzz_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "fuzz" "$ok" "$bad"

wine_stop "$template"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
