#!/usr/bin/env bash
# The release as a user gets it, under Wine: the installer runs silently in a throw-away prefix,
# the installed program writes an unattended report from its installed path, the uninstall entry
# carries the product's facts, and the silent uninstaller leaves no file and no key of ours.
#   release_test.sh RELEASE_DIR TEMPLATE_PREFIX WORK_DIR
# RELEASE_DIR holds what scripts/release.sh made. Ends with "release: N passed, N failed".
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/wine_lib.sh"
. "$here/e2e_lib.sh"

finish() { echo "release: $passed passed, $failed failed"; [ "$failed" -eq 0 ]; exit $?; }
release=$(cd "$1" && pwd) || { fail "no release at $1"; finish; }
template=$(cd "$2" && pwd) || { fail "no booted prefix at $2"; finish; }
mkdir -p "$3" && work=$(cd "$3" && pwd) || { fail "cannot use $3"; finish; }
trap 'i386_emulation_off' EXIT

fact() { sed -n "s/^inline constexpr const char\* $1 = \"\(.*\)\";.*/\1/p" "$root/app/product.h"; }
product=$(fact kProductName) version=$(fact kVersionText) publisher=$(fact kPublisher) homepage=$(fact kHomePage)
base=$(echo "$product" | tr 'A-Z' 'a-z')-$version
setup=$release/$base-setup.exe zip=$release/$base-portable.zip

# ---- The portable archive: exactly the three files, the program being the i686 build.
[ -f "$setup" ] && pass "installer $base-setup.exe ($(stat -c %s "$setup") bytes)" || { fail "no $setup"; finish; }
[ -f "$zip" ] && pass "archive $base-portable.zip ($(stat -c %s "$zip") bytes)" || { fail "no $zip"; finish; }
rm -rf "$work/portable"; mkdir -p "$work/portable"
entries=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$entries" = "LICENSE.txt README.txt brimlow.exe " ] && pass "archive holds brimlow.exe, README.txt, LICENSE.txt" \
  || fail "archive holds: $entries"
unzip -q "$zip" -d "$work/portable"
x86_64-w64-mingw32-objdump -f "$work/portable/brimlow.exe" 2>/dev/null | grep -q 'file format pei-i386' \
  && pass "the archive's program is the i686 build" || fail "the archive's program is not an i686 program"
grep -q "^$product $version" "$work/portable/README.txt" && grep -q $'\r$' "$work/portable/README.txt" \
  && pass "README.txt names $product $version, CR LF lines" || fail "README.txt does not start with \"$product $version\" in CR LF lines"

# ---- Install. The installer is 32-bit code, as is the program it installs.
i386_emulation_on || { fail "i386 code runs neither natively nor under qemu-user here"; finish; }
seconds=120
[ "$(i386_mode)" = emulated ] && seconds=900
prefix_base=$(i686_template "$template") || { fail "no prefix with the 32-bit half of Windows"; finish; }
prefix=$work/prefix
clone_prefix "$prefix_base" "$prefix"
wine_in "$prefix" "$seconds" "$setup" /S >"$work/install.log" 2>&1
rc=$?
WINEPREFIX="$prefix" timeout "$seconds" wineserver -w >/dev/null 2>&1
[ $rc -eq 0 ] && pass "silent install: exit code 0" || fail "silent install: exit code $rc"

# A 32-bit program's Program Files on 64-bit Windows is the (x86) one.
if prefix_has_wow64 "$prefix"; then pf="Program Files (x86)"; else pf="Program Files"; fi
dir="C:\\$pf\\$product" unix_dir="$prefix/drive_c/$pf/$product"
for f in brimlow.exe README.txt LICENSE.txt uninstall.exe; do
  [ -f "$unix_dir/$f" ] && pass "installed $dir\\$f" || fail "missing $dir\\$f"
done
cmp -s "$unix_dir/brimlow.exe" "$work/portable/brimlow.exe" \
  && pass "the installed program is the archive's" || fail "the installed brimlow.exe differs from the archive's"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
[ -f "$shortcut" ] && pass "Start-menu shortcut $product.lnk for all users" || fail "no Start-menu shortcut at $shortcut"

# ---- The uninstall entry, as Add/Remove Programs reads it (the 32-bit view).
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
wine_in "$prefix" 60 reg query "$key" /reg:32 2>/dev/null | tr -d '\r' > "$work/entry.txt"
entry_value() { sed -n "s/^ *$1 *REG_[A-Z]* *//p" "$work/entry.txt"; }
declare -A expected=(
  [DisplayName]="$product" [DisplayVersion]="$version" [Publisher]="$publisher" [URLInfoAbout]="$homepage"
  [DisplayIcon]="$dir\\brimlow.exe,0" [InstallLocation]="$dir"
  [UninstallString]="\"$dir\\uninstall.exe\"" [QuietUninstallString]="\"$dir\\uninstall.exe\" /S"
  [NoModify]=0x1 [NoRepair]=0x1
)
for name in DisplayName DisplayVersion Publisher URLInfoAbout DisplayIcon InstallLocation UninstallString \
            QuietUninstallString NoModify NoRepair; do
  got=$(entry_value "$name")
  [ "$got" = "${expected[$name]}" ] && pass "uninstall entry $name = $got" \
    || fail "uninstall entry $name is \"$got\", expected \"${expected[$name]}\""
done
size=$(entry_value EstimatedSize)
[[ $size =~ ^0x[0-9a-f]+$ ]] && [ $((size)) -ge $(( $(stat -c %s "$work/portable/brimlow.exe") / 1024 )) ] \
  && pass "uninstall entry EstimatedSize = $((size)) KB" || fail "uninstall entry EstimatedSize is \"$size\""

# ---- The installed program, started from its installed path.
rm -f "$work/report.txt"
(cd "$work" && wine_in "$prefix" "$seconds" "$dir\\brimlow.exe" /AUTO report.txt >/dev/null 2>&1)
rc=$?
[ $rc -eq 0 ] && pass "installed program: /AUTO exit code 0" || fail "installed program: /AUTO exit code $rc"
check_report "$work/report.txt" "installed program"
check_rows_filled "$work/report.txt" "installed program"

# ---- Silent uninstall: nothing of ours stays, neither files nor keys.
wine_in "$prefix" "$seconds" "$dir\\uninstall.exe" /S >"$work/uninstall.log" 2>&1
rc=$?
# The uninstaller runs from a copy of itself in the temporary folder: wait for that copy too.
WINEPREFIX="$prefix" timeout "$seconds" wineserver -w >/dev/null 2>&1
[ $rc -eq 0 ] && pass "silent uninstall: exit code 0" || fail "silent uninstall: exit code $rc"
[ ! -e "$unix_dir" ] && pass "uninstall removed $dir" || fail "uninstall left $(ls -A "$unix_dir" | tr '\n' ' ') in $dir"
[ ! -e "$shortcut" ] && pass "uninstall removed the Start-menu shortcut" || fail "uninstall left the Start-menu shortcut"
if wine_in "$prefix" 60 reg query "$key" /reg:32 >/dev/null 2>&1; then fail "uninstall left the key $key"
else pass "uninstall removed the key $key"; fi
wine_stop "$prefix"
left=$(cd "$prefix/drive_c" && find . -iname "*$product*" -o -iname 'uninstall.exe' | sed 's/^\.\///' | tr '\n' ' ')
[ -z "$left" ] && pass "no file or folder named after $product left in C:" || fail "left in C: $left"
keys=$(grep -il "$product" "$prefix"/*.reg | xargs -r -n1 basename | tr '\n' ' ')
[ -z "$keys" ] && pass "no registry key or value names $product" || fail "the registry still names $product in: $keys"
rm -rf "$prefix"
finish
