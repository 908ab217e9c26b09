#!/usr/bin/env bash
# End-to-end: the real brimlow.exe under Wine. Unattended reports under several emulated Windows
# versions, the command-line cases, and the UI driver working the main window.
#   run_e2e.sh BUILD_DIR TEMPLATE_PREFIX WORK_DIR
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine_lib.sh"

build=$(cd "$1" && pwd) template=$(cd "$2" && pwd) work=$3
exe=$build/brimlow.exe
prefix=$work/prefix
passed=0 failed=0
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }

mkdir -p "$work"
clone_prefix "$template" "$prefix"
cd "$work" || exit 1

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
# win7 is the prefix's own default and is run without a Version value. Naming win7 or win2008r2
# explicitly is left out: the 64-bit Wine 8 loader swaps their product types (workstation/server).
versions=(win95 win98 winme nt351 nt40 win2k winxp win2003 vista win2008 win7 win10)

# One prefix per version: Wine derives part of the record (the product type) from registry state
# that the previous process left, so switching versions inside one prefix lags by one run.
for v in "${versions[@]}"; do
  clone_prefix "$template" "$work/prefix-$v"
  [ "$v" = win7 ] || wine_set "$work/prefix-$v" 'HKCU\Software\Wine' Version "$v"
  rm -f "report-$v.txt"
  wine_in "$work/prefix-$v" 60 "$exe" /AUTO "report-$v.txt" >/dev/null 2>&1
  rc=$?
  wine_stop "$work/prefix-$v"
  rm -rf "$work/prefix-$v"
  [ $rc -eq 0 ] && pass "$v: /AUTO exit code 0" || fail "$v: /AUTO exit code $rc"
  check_report "report-$v.txt" "$v"
  row1=$(head -n 1 "report-$v.txt" 2>/dev/null | tr -d '\r')
  expected="Windows: ${windows_row[$v]}"
  [ "$row1" = "$expected" ] && pass "$v: Windows row" || fail "$v: Windows row is \"$row1\", expected \"$expected\""
done

# The WMI rows agree with what Wine's own wmic reports for the same classes in the same prefix.
# wmic writes UTF-16 with a byte-order mark and CR LF when its output is redirected, and pads
# each column with blanks; the first line is the column heading.
wmic_values() {  # wmic_values CLASS PROPERTY: one line per instance
  local raw=$work/wmic.out
  wine_in "$prefix" 60 wmic path "$1" get "$2" > "$raw" 2>/dev/null || { rm -f "$raw"; return 1; }
  if [ "$(head -c 2 "$raw" | od -An -tx1 | tr -d ' \n')" = fffe ] || [ "$(head -c 2 "$raw" | tail -c 1 | od -An -tx1 | tr -d ' \n')" = 00 ]; then
    iconv -f UTF-16LE -t UTF-8 "$raw"
  else
    cat "$raw"
  fi | sed 's/^\xef\xbb\xbf//; s/\r//g; s/[[:space:]]*$//' | sed '/^$/d' | sed '1d'
  rm -f "$raw"
}
report_row() {  # report_row FILE N: the value of row N
  sed -n "${2}p" "$1" | tr -d '\r' | sed 's/^[^:]*: //; s/[[:space:]]*$//'
}
rm -f report-wmi.txt
wine_in "$prefix" 60 "$exe" /AUTO report-wmi.txt >/dev/null 2>&1
bios_maker=$(wmic_values Win32_BIOS Manufacturer | tail -n 1)
product=$(wmic_values Win32_ComputerSystemProduct Name | tail -n 1)
board_makers=$(wmic_values Win32_BaseBoard Manufacturer)
board_products=$(wmic_values Win32_BaseBoard Product)
board=""
if [ "$(printf '%s\n' "$board_makers" | grep -c .)" -eq 1 ] && [ "$(printf '%s\n' "$board_products" | grep -c .)" -eq 1 ]; then
  board=$(printf '%s %s' "$board_makers" "$board_products" | sed 's/^[[:space:]]*//; s/[[:space:]]*$//')
fi
check_wmi_row() {  # check_wmi_row N LABEL EXPECTED
  local got; got=$(report_row report-wmi.txt "$1")
  if [ -z "$3" ]; then
    fail "row $1 ($2): wmic reported nothing to compare with"
  elif [ "$got" = "$3" ]; then
    pass "row $1 ($2) is what wmic reports: \"$got\""
  else
    fail "row $1 ($2) is \"$got\", wmic reports \"$3\""
  fi
}
check_wmi_row 19 Manufacturer "$bios_maker"
check_wmi_row 20 "Product Make" "$product"
check_wmi_row 25 Motherboard "$board"
wine_stop "$prefix"

# Lower-case switch, a file name with blanks.
rm -f "my report.txt"
wine_in "$prefix" 60 "$exe" /auto "my report.txt" >/dev/null 2>&1
rc=$?
[ $rc -eq 0 ] && [ -f "my report.txt" ] && pass "/auto with a quoted file name" || fail "/auto with a quoted file name (rc $rc)"

# An unwritable file ends the unattended run with exit code 1 and no message box.
wine_in "$prefix" 60 "$exe" /AUTO 'Q:\no\such\folder\report.txt' >/dev/null 2>&1
rc=$?
[ $rc -eq 1 ] && pass "/AUTO to an unwritable file exits 1" || fail "/AUTO to an unwritable file: exit code $rc"

# /AUTO alone, and /AUTO with an empty file name, write nothing and stay open.
for args in "/AUTO" "/AUTO|"; do
  IFS='|' read -r -a argv <<< "$args"
  [ "$args" = "/AUTO|" ] && argv=(/AUTO "")
  before=$(ls | wc -l)
  wine_in "$prefix" 4 "$exe" "${argv[@]}" >/dev/null 2>&1
  rc=$?
  after=$(ls | wc -l)
  wine_stop "$prefix"
  if [ $rc -eq 124 ] && [ "$before" -eq "$after" ]; then
    pass "${#argv[@]} parameter(s) /AUTO: stays open, writes nothing"
  else
    fail "${#argv[@]} parameter(s) /AUTO: exit code $rc, files $before -> $after"
  fi
done

# The UI driver starts the program itself, so both share one desktop.
unix_exe=$build/brimlow.exe
driver_out=$(wine_in "$prefix" 120 "$build/uidriver.exe" "Z:${unix_exe//\//\\}" "${windows_row[win7]}" rows.txt 2>/dev/null)
echo "$driver_out" | sed 's/^/  driver /'
if echo "$driver_out" | grep -q '^[0-9]* passed, 0 failed' ; then
  pass "UI driver"
else
  fail "UI driver"
fi
# What the window shows is what the unattended report writes (same prefix, same moment).
wine_in "$prefix" 60 "$exe" /AUTO report-now.txt >/dev/null 2>&1
if cmp -s rows.txt report-now.txt; then pass "window rows equal the /AUTO report"; else
  fail "window rows differ from the /AUTO report"; diff rows.txt report-now.txt | head -10; fi

wine_stop "$prefix"
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ]
