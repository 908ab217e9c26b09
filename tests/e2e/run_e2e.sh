#!/usr/bin/env bash
# End-to-end: the real brimlow.exe under Wine. Unattended reports under several emulated Windows
# versions, the command-line cases, and the UI driver working the main window.
#   run_e2e.sh BUILD_DIR TEMPLATE_PREFIX WORK_DIR
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

build=$(cd "$1" && pwd) template=$(cd "$2" && pwd) work=$3
exe=$build/brimlow.exe
prefix=$work/prefix

mkdir -p "$work"
clone_prefix "$template" "$prefix"
cd "$work" || exit 1

# win7 is the prefix's own default and is run without a Version value. Naming win7 or win2008r2
# explicitly is left out: the 64-bit Wine 8 loader swaps their product types (workstation/server).
versions=(win95 win98 winme nt351 nt40 win2k winxp win2003 vista win2008 win7 win10)

for v in "${versions[@]}"; do
  check_auto_under "$v" "$template" "$work" "$exe" 60
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

# Registry fixtures for the list windows (the x86_64 build reads the 64-bit view, which the
# 64-bit reg writes): two Uninstall entries and one without a display name, and one device class.
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wine_in "$prefix" 60 reg add "$uninstall\E2E-B" /v DisplayName /d 'E2E Beta Tool' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-B" /v DisplayVersion /t REG_DWORD /d 7 /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-A" /v DisplayName /d 'E2E Alpha App' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-A" /v DisplayVersion /d '1.0' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-A" /v HelpLink /d 'http://alpha.invalid/' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-A" /v Publisher /d 'E2E Makers' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$uninstall\E2E-C" /v Publisher /d 'No Name' /f >/dev/null 2>&1
class='HKLM\System\ControlSet002\Control\Class\{4d36e968-e325-11ce-bfc1-08002be10318}\0000'
wine_in "$prefix" 60 reg add "$class" /v DriverDesc /d 'E2E Display Adapter' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$class" /v ProviderName /d 'E2E Maker' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "$class" /v DriverVersion /d '1.2.3' /f >/dev/null 2>&1

# Startup entries: a Run value in each hive and a file in the all-users Startup folder at its
# fixed place, which a Wine prefix does not have of its own.
run='Software\Microsoft\Windows\CurrentVersion\Run'
wine_in "$prefix" 60 reg add "HKLM\\$run" /v E2EAgent /d 'agent.exe -q' /f >/dev/null 2>&1
wine_in "$prefix" 60 reg add "HKCU\\$run" /v E2ETray /d 'C:\e2e\tray.exe' /f >/dev/null 2>&1
mkdir -p "$prefix/drive_c/Documents and Settings/All Users/Start Menu/Programs/Startup"
: > "$prefix/drive_c/Documents and Settings/All Users/Start Menu/Programs/Startup/E2E Notes.lnk"

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
