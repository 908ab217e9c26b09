#!/usr/bin/env bash
# Builds everything and runs every test layer:
#   1. unit tests of the portable core (native, AddressSanitizer + UndefinedBehaviorSanitizer)
#   2. Windows tests under Wine
#   3. end-to-end tests of brimlow.exe under Wine
# Installs what is missing first. Ends with "N passed, N failed" over the three layers.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1
. "$root/scripts/wine_lib.sh"

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
count() {  # counts from GoogleTest output: "[  PASSED  ] N tests" and "[  FAILED  ] N tests"
  local out=$1 ok bad
  ok=$(grep -oE '^\[  PASSED  \] [0-9]+' "$out" | grep -oE '[0-9]+$' | tail -n 1)
  bad=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?,' "$out" | grep -oE '[0-9]+' | tail -n 1)
  echo "${ok:-0} ${bad:-0}"
}

work=$root/build/testrun
rm -rf "$work"; mkdir -p "$work"

echo "== unit tests"
"$root/build/native/unit_tests" 2>&1 | tee "$work/unit.log"
unit_rc=${PIPESTATUS[0]}
read -r ok bad < <(count "$work/unit.log")
[ "$unit_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "unit tests" "$ok" "$bad"

arch=$(wine_arch)
echo "== Wine prefix (tests run the $arch build)"
template=$work/template
if ! make_template "$template"; then
  layer "Wine prefix" 0 1
  echo "$passed passed, $failed failed"; exit 1
fi

echo "== Windows tests"
clone_prefix "$template" "$work/win-prefix"
TZ=Europe/Berlin wine_in "$work/win-prefix" 600 "$root/build/$arch/win_tests.exe" 2>&1 | tee "$work/win.log"
win_rc=${PIPESTATUS[0]}
wine_stop "$work/win-prefix"
read -r ok bad < <(count "$work/win.log")
[ "$win_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "Windows tests" "$ok" "$bad"

echo "== binaries"
"$root/tests/e2e/check_binaries.sh" "$root/build" 2>&1 | tee "$work/binaries.log"
bin_rc=${PIPESTATUS[0]}
ok=$(grep -c '^ok:' "$work/binaries.log"); bad=$(grep -c '^FAILED:' "$work/binaries.log")
[ "$bin_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "binaries" "$ok" "$bad"

echo "== end-to-end tests"
"$root/tests/e2e/run_e2e.sh" "$root/build/$arch" "$template" "$work/e2e" 2>&1 | tee "$work/e2e.log"
e2e_rc=${PIPESTATUS[0]}
ok=$(sed -n 's/^e2e: \([0-9]*\) passed, [0-9]* failed$/\1/p' "$work/e2e.log" | tail -n 1)
bad=$(sed -n 's/^e2e: [0-9]* passed, \([0-9]*\) failed$/\1/p' "$work/e2e.log" | tail -n 1)
bad=${bad:-0}
[ "$e2e_rc" -ne 0 ] && [ "$bad" -eq 0 ] && bad=1
layer "end-to-end tests" "${ok:-0}" "$bad"

wine_stop "$template"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
