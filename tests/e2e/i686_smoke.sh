#!/usr/bin/env bash
# By hand, on machines whose kernel runs no 32-bit code: runs the shipped i686 brimlow.exe once,
# with the i386 half of Wine under qemu-user emulation, and checks the Windows row a 32-bit program
# shows in a 64-bit prefix. Slow (booting the prefix takes minutes, the run about one) and it
# registers a binfmt handler for i386 programs, so it is not part of scripts/test.sh.
#   tests/e2e/i686_smoke.sh            (as root, after a win32 build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
exe=$root/build/win32/brimlow.exe
work=$root/build/i686-smoke
[ -f "$exe" ] || { echo "build the win32 preset first" >&2; exit 2; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

registered=false
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  command -v qemu-i386-static >/dev/null || apt-get install -y -q qemu-user-static
  mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    > /proc/sys/fs/binfmt_misc/register
  registered=true
fi
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  if $registered; then echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386; fi
}
trap cleanup EXIT

if [ ! -f "$work/prefix/system.reg" ]; then
  mkdir -p "$work"
  WINEPREFIX="$work/prefix" timeout 1200 wine wineboot -i
  WINEPREFIX="$work/prefix" timeout 300 wineserver -w
  WINEPREFIX="$work/prefix" timeout 600 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
fi
rm -f "$work/report.txt"
WINEPREFIX="$work/prefix" timeout 900 wine "$exe" /AUTO "$work/report.txt"
row=$(head -n 1 "$work/report.txt" | tr -d '\r')
expected="Windows: Windows 7 Professional, Version 6.1.7601, Service Pack 1,  64 Bit."
if [ "$row" = "$expected" ]; then echo "ok: $row"; else echo "FAILED: \"$row\", expected \"$expected\""; exit 1; fi
