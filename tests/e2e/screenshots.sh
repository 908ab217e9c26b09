#!/usr/bin/env bash
# Pictures of the processor, meters, memory, display, CD/DVD, USB drives, help, About and
# Administrator windows and the print previews as a user sees them: brimlow.exe on a
# private Xvfb inside a Wine virtual desktop (on a bare Xvfb there is no window manager, so no
# frames, and Wine stalls 2 s per closed window). Run by hand; not part of the test command.
#   tests/e2e/screenshots.sh [BUILD_DIR [OUT_DIR]]      default build/win64 and build/screenshots
# Writes cpu.png, meters.png, memory.png, display.png, cddvd.png, usbdrives.png, help.png, about.png,
# admin.png and the others the UI driver takes (the whole virtual desktop, 1024 x 768) and
# optical.png: the CD/DVD window over a scripted DVD writer and the USB drives window over a
# scripted stick, from the Windows tests (Wine's drives answer neither).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/wine_lib.sh"
build=$(cd "${1:-$root/build/win64}" && pwd) || exit 1
out=${2:-$root/build/screenshots}
mkdir -p "$out" && out=$(cd "$out" && pwd)
work=$out/work
prefix=$work/prefix

[ -f "$work/template/system.reg" ] || make_template "$work/template" || exit 1
clone_prefix "$work/template" "$prefix"
wine_set "$prefix" 'HKCU\Software\Wine\Drivers' Graphics x11
wine_set "$prefix" 'HKCU\Software\Wine\Explorer' Desktop Default
wine_set "$prefix" 'HKCU\Software\Wine\Explorer\Desktops' Default 1024x768
wine_stop "$prefix"
add_cdrom_drive "$prefix" d "$work/cdrom"

# A display of our own, numbered by Xvfb itself.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!"; wait)
read -r _ xvfb <&3
read -r display <&3
trap 'wine_stop "$prefix"; kill "$xvfb" 2>/dev/null' EXIT
echo "Xvfb :$display (pid $xvfb)"

rm -f "$out"/cpu.bmp "$out"/meters.bmp "$out"/personal.bmp "$out"/bios.bmp "$out"/datetime.bmp \
  "$out"/memory.bmp "$out"/display.bmp "$out"/cddvd.bmp "$out"/usbdrives.bmp "$out"/help.bmp "$out"/about.bmp "$out"/admin.bmp "$out"/usb.bmp "$out"/internet.bmp \
  "$out"/printers.bmp "$out"/network.bmp "$out"/sound.bmp \
  "$out"/full-spec-preview.bmp "$out"/hardware-spec-preview.bmp "$out"/optical.png
DISPLAY=:$display wine_in "$prefix" 180 "$build/uidriver.exe" --screenshots \
  "Z:${build//\//\\}\\brimlow.exe" "Z:${out//\//\\}" 2>/dev/null
rc=$?
BRIMLOW_SHOW_OPTICAL_WINDOWS=8 DISPLAY=:$display wine_in "$prefix" 60 "$build/win_tests.exe" \
  --gtest_filter='OpticalWindowsShown.*' >/dev/null 2>&1 &
shown=$!
sleep 6
DISPLAY=:$display import -window root "$out/optical.png" && echo "$out/optical.png"
wait "$shown"
for shot in cpu meters personal bios datetime memory display cddvd usbdrives help about admin usb internet printers network sound full-spec-preview hardware-spec-preview; do
  [ -f "$out/$shot.bmp" ] && convert "$out/$shot.bmp" "$out/$shot.png" && rm -f "$out/$shot.bmp" && echo "$out/$shot.png"
done
exit $rc
