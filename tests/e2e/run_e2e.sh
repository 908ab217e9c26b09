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

# ---- The hardware rows against what the host and the prefix say on their own ----------------
# A prefix with a CD-ROM drive D:, a parallel port that opens (LPT1 on the null device) and BIOS
# values in HKLM\HARDWARE, which Wine rebuilds at every start: the server is kept running from
# the fixture to the report.
facts=$work/prefix-facts
clone_prefix "$template" "$facts"
add_cdrom_drive "$facts" d "$work/cdrom-facts"
ln -sfn /dev/null "$facts/dosdevices/lpt1"
WINEPREFIX="$facts" wineserver -p >/dev/null 2>&1
system_key='HKLM\HARDWARE\DESCRIPTION\System'
wine_in "$facts" 60 reg query "$system_key" >/dev/null 2>&1
wine_in "$facts" 60 reg add "$system_key" /v SystemBiosDate /d 12/10/26 /f >/dev/null 2>&1
wine_in "$facts" 60 reg add "$system_key" /v SystemBiosVersion /t REG_MULTI_SZ /d 'BRIMLOW E2E 1.0\0SECOND LINE' /f >/dev/null 2>&1
serial=$(wine_in "$facts" 60 reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' 2>/dev/null | tr -d '\r' \
         | sed -n 's/.*REG_SZ[[:space:]]*//p' | paste -sd'|' | sed 's/|/ | /g')
rm -f report-facts.txt
(TZ=Europe/Berlin wine_in "$facts" 60 "$exe" /AUTO report-facts.txt >/dev/null 2>&1)
rc=$?
wine_stop "$facts"
[ $rc -eq 0 ] && pass "facts prefix: /AUTO exit code 0" || fail "facts prefix: /AUTO exit code $rc"
check_report report-facts.txt "facts prefix"
check_rows_filled report-facts.txt "facts prefix"
check_row() {  # check_row N LABEL EXPECTED [SOURCE]
  local got; got=$(report_row report-facts.txt "$1")
  if [ "$got" = "$3" ]; then pass "row $1 ($2): \"$got\"${4:+ as $4 says}"
  else fail "row $1 ($2) is \"$got\", expected \"$3\"${4:+ from $4}"; fi
}
mem_kb=$(sed -n 's/^MemTotal:[[:space:]]*\([0-9]*\) kB/\1/p' /proc/meminfo)
check_row 3 "Memory (RAM)" "$(( (mem_kb >> 10) + 1 )) MB" /proc/meminfo
model=$(sed -n 's/^model name[[:space:]]*: *//p' /proc/cpuinfo | head -n 1 | sed 's/[[:space:]]*$//')
check_row 4 "CPU Info" "$model" /proc/cpuinfo
speed=$(report_row report-facts.txt 5)
host_mhz=$(sed -n 's/^cpu MHz[[:space:]]*: *//p' /proc/cpuinfo | head -n 1)
if [[ $speed =~ ^\ *([0-9]+\.[0-9])\ MHz$ ]] && [ -n "$host_mhz" ] &&
   awk -v m="${BASH_REMATCH[1]}" -v h="$host_mhz" 'BEGIN { exit !(m > 0.75 * h && m < 1.25 * h) }'; then
  pass "row 5 (CPU Speed) \"$speed\" is near the host's $host_mhz MHz"
else
  fail "row 5 (CPU Speed) is \"$speed\", the host says $host_mhz MHz"
fi
check_row 6 "Sound Card" "Not detected" "the prefix without sound drivers"
check_row 7 "Display Adapters" "Wine Adapter"
check_row 8 "Monitors" "1x; Generic Non-PnP Monitor |"
check_row 9 "Screen Resolution" "1024 X 768 - 32 bit" "the null display driver"
check_row 12 "CD / DVD Drives" "D:" "the drive fixture (Wine answers no INQUIRY)"
check_row 13 "Ports" "${serial:-NOT Present} LPT1" "the prefix's SERIALCOMM and its lpt1 device"
check_row 14 "Mouse" "3 Button Wheel Mouse Present"
# Fixed disks: every drive letter of the prefix but the CD-ROM, sized by df on its target.
disk_text() { awk -v b="$1" 'BEGIN { if (b > 1073741824) printf "%3.1fGB", b / 1024 / 1024 / 1024; else printf "%3.1fMB", b / 1024 / 1024 }'; }
sizes="" free_entries=()
for link in "$facts"/dosdevices/[c-z]:; do
  letter=$(basename "$link" | tr -d ':' | tr '[:lower:]' '[:upper:]')
  [ "$letter" = D ] && continue
  target=$(cd "$facts/dosdevices" && cd "$(readlink "$link")" && pwd)
  read -r size avail < <(df -B1 --output=size,avail "$target" | tail -n 1)
  sizes+="${sizes:+ | }$letter:  $(disk_text "$size")"
  free_entries+=("$letter $avail")
done
check_row 15 "Hard Disks" "$sizes" df
# Free space moves while other programs write; each figure must be within 1 GB of df's.
got_free=$(report_row report-facts.txt 16)
free_ok=true n=0
IFS='|' read -r -a got_parts <<< "$got_free"
[ "${#got_parts[@]}" -eq "${#free_entries[@]}" ] || free_ok=false
for entry in "${free_entries[@]}"; do
  read -r letter avail <<< "$entry"
  part=$(echo "${got_parts[$n]:-}" | sed 's/^ *//; s/ *$//'); n=$((n + 1))
  [[ $part =~ ^$letter:\ \ ([0-9.]+)(GB|MB)$ ]] || { free_ok=false; continue; }
  awk -v v="${BASH_REMATCH[1]}" -v u="${BASH_REMATCH[2]}" -v a="$avail" \
    'BEGIN { b = v * (u == "GB" ? 1073741824 : 1048576); d = b - a; if (d < 0) d = -d; exit !(d <= 1073741824) }' || free_ok=false
done
$free_ok && pass "row 16 (Hard Disks - Free) \"$got_free\" agrees with df" || fail "row 16 (Hard Disks - Free) is \"$got_free\", df: ${free_entries[*]}"
check_row 17 "USB Controllers" "Not Detected" "Wine, which has no \\\\.\\HCD devices"
check_row 18 "Firewire (1394)" "Not Detected"
check_row 21 "AC Power Status" "OnLine" "a host without power supply information"
check_row 22 "BIOS Info" "AT compatible | 12/10/26 | BRIMLOW E2E 1.0" "the HARDWARE fixture"
check_row 23 "Time Zone" "Central Europe Standard Time" "TZ=Europe/Berlin"
if [ -z "$(ls /sys/class/power_supply 2>/dev/null)" ]; then
  check_row 24 "Battery" "No Battery" "an empty /sys/class/power_supply"
fi
check_row 28 "Host Name" "$(hostname | cut -c1-15 | tr '[:lower:]' '[:upper:]')" hostname
rm -rf "$facts"

# ---- Screen sizes: Wine's X11 driver on Xvfb screens of several geometries and depths --------
# (24-bit X screens are 32 bits per pixel to Windows.) No window is shown in an unattended run,
# so a bare Xvfb costs no stall here.
for screen in "1280x1024x16 winxp 1280 X 1024 - 16 bit" "800x600x8 win98 800 X 600 - 8 bit" \
              "1024x768x24 win2k 1024 X 768 - 32 bit"; do
  read -r geometry version expected <<< "$screen"
  sp=$work/prefix-screen
  clone_prefix "$template" "$sp"
  wine_in "$sp" 60 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
  wine_set "$sp" 'HKCU\Software\Wine' Version "$version"
  wine_stop "$sp"
  rm -f "report-$geometry.txt"
  xvfb-run -a -s "-screen 0 $geometry" env WINEPREFIX="$sp" WINELOADER="$(wine_loader)" \
    timeout -k 5 90 "$(wine_loader)" "$exe" /AUTO "report-$geometry.txt" >/dev/null 2>&1
  rc=$?
  wine_stop "$sp"
  rm -rf "$sp"
  [ $rc -eq 0 ] || fail "Xvfb $geometry ($version): /AUTO exit code $rc"
  check_report "report-$geometry.txt" "Xvfb $geometry ($version)"
  got=$(report_row "report-$geometry.txt" 9)
  [ "$got" = "$expected" ] && pass "Xvfb $geometry ($version): screen row \"$got\"" ||
    fail "Xvfb $geometry ($version): screen row is \"$got\", expected \"$expected\""
  # The display window on the same screens: its metrics row is the X screen's geometry. (A bare
  # Xvfb costs Wine 2 s per closed window, so two screens are enough.)
  if [ "$geometry" != 800x600x8 ]; then
    read -r width _ height _ bits _ <<< "$expected"
    metrics="$width x $height - $bits bit"
    clone_prefix "$template" "$sp"
    wine_in "$sp" 60 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
    wine_stop "$sp"
    out=$(xvfb-run -a -s "-screen 0 $geometry" env WINEPREFIX="$sp" WINELOADER="$(wine_loader)" \
      timeout -k 5 120 "$(wine_loader)" "$build/uidriver.exe" --display "Z:${exe//\//\\}" "$metrics" 2>/dev/null)
    rc=$?
    wine_stop "$sp"
    rm -rf "$sp"
    if [ $rc -eq 0 ] && grep -q "^ok: display metrics on this screen" <<< "$out"; then
      pass "Xvfb $geometry: display window shows \"$metrics\""
    else
      fail "Xvfb $geometry: display window (exit code $rc): $(grep '^FAILED' <<< "$out" | head -n 3 | tr '\n' ' ')"
    fi
  fi
done

# The personal window's product ID under an emulated Windows 98: the Windows key's value, never
# the NT key's (given a value of its own here). The Windows tests' own check, run in that prefix.
sp=$work/prefix-98
clone_prefix "$template" "$sp"
wine_set "$sp" 'HKCU\Software\Wine' Version win98
wine_in "$sp" 60 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v ProductId /d nt-only-e2e /f \
  >/dev/null 2>&1
wine_stop "$sp"
out=$(BRIMLOW_EXPECT_9X=1 wine_in "$sp" 120 "$build/win_tests.exe" \
  --gtest_filter='PersonalWindowOnThisSystem.ProductIdOfTheWindowsKeyComesFirst' 2>&1)
rc=$?
wine_stop "$sp"
rm -rf "$sp"
if [ $rc -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' <<< "$out"; then
  pass "win98: personal window shows the Windows key's product ID"
else
  fail "win98: personal window product ID (exit code $rc)"
fi

# The personal window's printer row without any printer: the Windows tests install printers of
# their own, so this one runs here, in a prefix that has none.
out=$(wine_in "$prefix" 120 "$build/win_tests.exe" --gtest_filter='PersonalWindowPrinter.NoPrintersGiveAnEmptyRow' 2>&1)
rc=$?
if [ $rc -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' <<< "$out" && ! grep -q 'SKIPPED' <<< "$out"; then
  pass "no printer: the personal window's printer row is empty"
else
  fail "no printer: personal window printer row (exit code $rc): $(grep -m1 'Failure\|SKIPPED' <<< "$out")"
fi

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

# The CD/DVD window lists the CD-ROM drive D: and WMI's instance of it.
add_cdrom_drive "$prefix" d "$work/cdrom-ui"

# The UI driver starts the program itself, so both share one desktop.
unix_exe=$build/brimlow.exe
driver_out=$(wine_in "$prefix" 120 "$build/uidriver.exe" "Z:${unix_exe//\//\\}" "${windows_row[win7]}" rows.txt 2>/dev/null)
echo "$driver_out" | sed 's/^/  driver /'
if echo "$driver_out" | grep -q '^[0-9]* passed, 0 failed' ; then
  pass "UI driver"
else
  fail "UI driver"
fi
# What the window shows is what the unattended report writes (same prefix, a moment later: the
# measured clock and the free space are left out, they move between two looks).
wine_in "$prefix" 60 "$exe" /AUTO report-now.txt >/dev/null 2>&1
steady() { sed '5d;16d' "$1"; }
if [ -f rows.txt ] && [ -f report-now.txt ] && cmp -s <(steady rows.txt) <(steady report-now.txt); then
  pass "window rows equal the /AUTO report"
else
  fail "window rows differ from the /AUTO report"; diff rows.txt report-now.txt | head -10
fi

wine_stop "$prefix"
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ]
