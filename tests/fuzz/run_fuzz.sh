#!/usr/bin/env bash
# Runs every fuzz target of a build for a bounded time, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Each target first replays its kept inputs (inputs/NAME/: inputs
# that once broke a decoder stay there), then fuzzes from the seeds that fuzz_seeds makes of the
# recorded hardware fixtures plus those kept inputs. New inputs go to WORK_DIR only.
#   run_fuzz.sh BUILD_DIR WORK_DIR
#   BRIMLOW_FUZZ_SECONDS  fuzzing time per target (default 20)
#   BRIMLOW_FIXTURE_DIR   the recorded fixtures (default: ../shared/fixtures beside the checkout)
# Ends with "fuzz: N passed, N failed"; a crash leaves its input as WORK_DIR/NAME-crash-*.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
passed=0 failed=0
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }
finish() { echo "fuzz: $passed passed, $failed failed"; [ "$failed" -eq 0 ]; exit $?; }

build=$(cd "${1:?build dir}" && pwd) || { fail "no fuzz build at $1"; finish; }
mkdir -p "${2:?work dir}" && work=$(cd "$2" && pwd) || { fail "cannot use $2"; finish; }
seconds=${BRIMLOW_FUZZ_SECONDS:-20}
fixtures=${BRIMLOW_FIXTURE_DIR:-$root/../shared/fixtures}
[ -f "$build/fuzz_targets.txt" ] || { fail "$build has no fuzz_targets.txt (configure the fuzz preset)"; finish; }
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

rm -rf "$work/seeds" "$work/corpus"
if [ -d "$fixtures" ]; then
  if "$build/fuzz_seeds" "$fixtures" "$work/seeds" > "$work/seeds.log" 2>&1; then
    pass "seeds from $fixtures: $(tr '\n' ' ' < "$work/seeds.log")"
  else
    fail "fuzz_seeds could not read $fixtures"; sed 's/^/  /' "$work/seeds.log"
  fi
else
  echo "no recorded fixtures at $fixtures: the targets start from their kept inputs only"
fi

while read -r name; do
  [ -n "$name" ] || continue
  exe=$build/fuzz_$name
  [ -x "$exe" ] || { fail "$name: fuzz_$name is not built"; continue; }
  kept=$here/inputs/$name
  log=$work/$name.log
  if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
    if "$exe" "$kept"/* > "$work/$name-kept.log" 2>&1; then
      pass "$name: $(ls "$kept" | wc -l) kept inputs"
    else
      fail "$name: a kept input breaks the decoder again"
      grep -E 'ERROR|SUMMARY|Running:|runtime error|broken promise' "$work/$name-kept.log" | head -n 8 | sed 's/^/  /'
      continue
    fi
  fi
  dirs=()
  [ -d "$work/seeds/$name" ] && dirs+=("$work/seeds/$name")
  [ -d "$kept" ] && dirs+=("$kept")
  mkdir -p "$work/corpus/$name"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -use_value_profile=1 \
    -print_final_stats=1 -artifact_prefix="$work/$name-" "$work/corpus/$name" "${dirs[@]}" > "$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  if [ "$rc" -eq 0 ]; then
    pass "$name: ${runs:-?} runs in $seconds s, $cov, corpus $(ls "$work/corpus/$name" | wc -l) new inputs"
  else
    fail "$name: the fuzzer stopped (exit code $rc) after ${runs:-?} runs"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written|broken promise' "$log" \
      | head -n 12 | sed 's/^/  /'
  fi
done < "$build/fuzz_targets.txt"
finish
