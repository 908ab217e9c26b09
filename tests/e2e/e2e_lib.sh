# Shared by the end-to-end scripts: pass/fail counting and the checks of an unattended report.
# Source it; it defines functions and tables only.

passed=0 failed=0
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }

labels=("Windows" "Internet Explorer" "Memory (RAM)" "CPU Info" "CPU Speed" "Sound Card" "Display Adapters"
        "Monitors" "Screen Resolution" "Network" "Network Adapters" "CD / DVD Drives" "Ports" "Mouse" "Hard Disks"
        "Hard Disks - Free" "USB Controllers" "Firewire (1394)" "Manufacturer" "Product Make" "AC Power Status"
        "BIOS Info" "Time Zone" "Battery" "Motherboard" "IP Address" "MAC Address" "Host Name")

# The report holds 28 lines, each "label: value" and CR LF, labels in row order.
check_report() {
  local file=$1 what=$2
  [ -f "$file" ] || { fail "$what: no report written"; return; }
  local lines crlf
  lines=$(tr -cd '\n' < "$file" | wc -c)
  crlf=$(grep -c $'\r$' "$file")
  if [ "$lines" -ne 28 ] || [ "$crlf" -ne 28 ] || [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" != '\r\n' ]; then
    fail "$what: expected 28 CR LF lines, got $lines lines ($crlf with CR)"; return
  fi
  local n=0 line
  while IFS= read -r line; do
    line=${line%$'\r'}
    if [[ "$line" != "${labels[$n]}: "* ]]; then
      fail "$what: line $((n + 1)) is \"$line\", expected label \"${labels[$n]}\""; return
    fi
    n=$((n + 1))
  done < "$file"
  pass "$what: 28 labelled CR LF lines"
}

# Every row has its value or its placeholder. Rows that may be empty: 12 without an optical
# drive, and the host's network identity (11, 26, 27), which a machine without a network lacks.
check_rows_filled() {
  local file=$1 what=$2 n=0 line empty=()
  [ -f "$file" ] || return
  while IFS= read -r line; do
    n=$((n + 1))
    line=${line%$'\r'}
    case $n in 11|12|26|27) continue ;; esac
    [ -z "${line#"${labels[$((n - 1))]}: "}" ] && empty+=("$n")
  done < "$file"
  [ ${#empty[@]} -eq 0 ] && pass "$what: every row filled" || fail "$what: empty rows ${empty[*]}"
}

# Row 1 for the 64-bit prefix the tests use, by emulated version.
declare -A windows_row=(
  [win95]="Windows 95, Version 4.0.950, ,  64 Bit."
  [win98]="Windows 98 SE, Version 4.10.2222A, ,  64 Bit."
  [winme]="Windows Millennium Edition, Version 4.90.3000, ,  64 Bit."
  [nt351]="Windows NT Workstation 4.0, Version 3.51.1057, Service Pack 5,  64 Bit."
  [nt40]="Windows NT Workstation 4.0, Version 4.0.1381, Service Pack 6a,  64 Bit."
  [win2k]="Windows 2000 Professional, Version 5.0.2195, Service Pack 4,  64 Bit."
  [winxp]="Windows XP Professional, Version 5.1.2600, Service Pack 3,  64 Bit."
  [win2003]="Windows Server 2003 Standard Edition, Version 5.2.3790, Service Pack 2,  64 Bit."
  [vista]="Windows VISTA, Version 6.0.6002, Service Pack 2,  64 Bit."
  [win2008]="Windows 2008 Server, Version 6.0.6002, Service Pack 2,  64 Bit."
  [win7]="Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit."
  [win10]="Windows unknown, Version 6.2.9200, ,  64 Bit."
)

# check_auto_under VERSION TEMPLATE WORK EXE SECONDS : an unattended report in a fresh clone of
# TEMPLATE that emulates VERSION (win7: the prefix's own default, no Version value), checked for
# its exit code, its format and its Windows row. Each version gets its own prefix: Wine derives
# part of the record (the product type) from registry state that the previous process left, so
# switching versions inside one prefix lags by one run.
check_auto_under() {
  local v=$1 template=$2 work=$3 exe=$4 seconds=$5 rc row1 expected
  clone_prefix "$template" "$work/prefix-$v"
  [ "$v" = win7 ] || wine_set "$work/prefix-$v" 'HKCU\Software\Wine' Version "$v"
  rm -f "$work/report-$v.txt"
  (cd "$work" && wine_in "$work/prefix-$v" "$seconds" "$exe" /AUTO "report-$v.txt" >/dev/null 2>&1)
  rc=$?
  wine_stop "$work/prefix-$v"
  rm -rf "$work/prefix-$v"
  [ $rc -eq 0 ] && pass "$v: /AUTO exit code 0" || fail "$v: /AUTO exit code $rc"
  check_report "$work/report-$v.txt" "$v"
  check_rows_filled "$work/report-$v.txt" "$v"
  row1=$(head -n 1 "$work/report-$v.txt" 2>/dev/null | tr -d '\r')
  expected="Windows: ${windows_row[$v]}"
  [ "$row1" = "$expected" ] && pass "$v: Windows row" || fail "$v: Windows row is \"$row1\", expected \"$expected\""
}

# gtest_counts LOG : "PASSED FAILED" from a GoogleTest run's closing lines.
gtest_counts() {
  local ok bad
  ok=$(grep -oE '^\[  PASSED  \] [0-9]+' "$1" | grep -oE '[0-9]+$' | tail -n 1)
  bad=$(grep -oE '^\[  FAILED  \] [0-9]+ tests?,' "$1" | grep -oE '[0-9]+' | tail -n 1)
  echo "${ok:-0} ${bad:-0}"
}
