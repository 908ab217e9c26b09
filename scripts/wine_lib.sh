# Wine helpers shared by run.sh, test.sh and the benchmarks. Source it; it defines functions only.
#
# Every Wine call goes through a time-out, every prefix belongs to the project (never the user's
# own ~/.wine), and whoever starts a wineserver ends it.

BRIMLOW_ROOT=${BRIMLOW_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko installers and no desktop menu entries when a prefix boots.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# 32-bit programs need a kernel that runs i386 code; some virtual machines have none. There the
# x86_64 build stands in for the shipped i686 one when the program is run by hand (same source);
# the test run's i686 layer then emulates the 32-bit half (i386_emulation_on).
native_i386() {
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && return 1
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

wine_arch() {
  if [ -n "${BRIMLOW_WINE_ARCH:-}" ]; then echo "$BRIMLOW_WINE_ARCH"
  elif native_i386; then echo win32
  else echo win64
  fi
}

# Every program starts through the 64-bit loader: tools such as reg and wineboot are then the
# 64-bit ones on every machine (reg writes the 64-bit view of HKLM\Software unless told /reg:32),
# and a 32-bit program is handed on to the 32-bit loader, native or emulated.
wine_loader() {
  if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  else echo wine
  fi
}

# wine_in PREFIX SECONDS program args... : one Wine process under a time-out.
wine_in() {
  local prefix=$1 seconds=$2; shift 2
  local loader; loader=$(wine_loader)
  WINEPREFIX="$prefix" WINELOADER="$loader" timeout -k 5 "$seconds" "$loader" "$@"
}

wine_stop() {
  WINEPREFIX="$1" timeout 20 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Boots a fresh prefix with the settings every test and unattended run wants: no sound drivers
# (the tests never play anything) and the null display driver (no X server needed, and no 2 s
# stall per closed window that a bare X server without window manager causes).
make_template() {  # make_template PREFIX [BOOT_SECONDS]
  local prefix=$1 seconds=${2:-300}
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  wine_in "$prefix" "$seconds" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed in $prefix" >&2; return 1; }
  WINEPREFIX="$prefix" timeout "$seconds" wineserver -w >/dev/null 2>&1 || true
  wine_in "$prefix" 60 reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  wine_in "$prefix" 60 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wine_stop "$prefix"
}

# A throw-away copy of a booted prefix: hard links for the big files, private copies of the
# registry files, which the wineserver rewrites in place.
clone_prefix() {
  local template=$1 clone=$2
  rm -rf "$clone"
  cp -al "$template" "$clone"
  for f in system.reg user.reg userdef.reg .update-timestamp; do
    [ -e "$clone/$f" ] && { rm -f "$clone/$f"; cp -p "$template/$f" "$clone/$f"; }
  done
  return 0
}

# add_cdrom_drive PREFIX LETTER FOLDER : a CD-ROM drive LETTER: backed by FOLDER. Wine's mount
# manager reads the drive types from the 64-bit view, and only when the wineserver starts.
add_cdrom_drive() {
  local prefix=$1 letter=$2 folder=$3
  mkdir -p "$folder" || return 1
  ln -sfn "$folder" "$prefix/dosdevices/$letter:" || return 1
  wine_in "$prefix" 60 reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d cdrom /f /reg:64 >/dev/null 2>&1 || return 1
  wine_stop "$prefix"
}

# wine_set PREFIX 'KEY' NAME DATA : sets a string value in the prefix's registry.
wine_set() {
  wine_in "$1" 60 reg add "$2" /v "$3" /d "$4" /f >/dev/null 2>&1
}

# ---- i386 code where the kernel runs none ---------------------------------------------------
# qemu-user runs Wine's 32-bit loader through a binfmt handler that this run registers and
# removes again. The handler is machine-wide while it stands, so it is kept for as short a time
# as the 32-bit work needs.
qemu_binfmt=/proc/sys/fs/binfmt_misc/qemu-i386
i386_registered_here=false

# How i386 code runs here: native, emulated (a handler is registered) or none.
i386_mode() {
  if [ -e "$qemu_binfmt" ] && grep -qx enabled "$qemu_binfmt"; then echo emulated
  elif /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo native
  else echo none
  fi
}

# Registers qemu-user for i386 programs unless they already run (natively or emulated).
# BRIMLOW_I386=emulate registers it even where i386 runs natively, to try the emulated path.
i386_emulation_on() {
  local mode; mode=$(i386_mode)
  [ "$mode" = emulated ] && return 0
  [ "$mode" = native ] && [ "${BRIMLOW_I386:-}" != emulate ] && return 0
  [ -x /usr/bin/qemu-i386-static ] || { echo "qemu-i386-static is missing" >&2; return 1; }
  [ "$(id -u)" -eq 0 ] || { echo "registering the i386 emulator needs root" >&2; return 1; }
  mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 1
  # The ELF header of an i386 executable or shared object; F opens the emulator now, so it serves
  # in every mount namespace.
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    > /proc/sys/fs/binfmt_misc/register || return 1
  i386_registered_here=true
}

i386_emulation_off() {
  if $i386_registered_here && [ -e "$qemu_binfmt" ]; then echo -1 > "$qemu_binfmt"; fi
  i386_registered_here=false
}

# A prefix holds the 32-bit half of Windows only when its boot could run 32-bit code.
prefix_has_wow64() {
  [ -s "$1/drive_c/windows/syswow64/kernel32.dll" ] && [ -s "$1/drive_c/windows/syswow64/rundll32.exe" ]
}

# i686_template TEMPLATE : prints a booted prefix with its 32-bit half. TEMPLATE itself when its
# boot ran 32-bit code; else one booted under emulation, kept in a per-machine cache keyed by the
# Wine version (a boot under emulation takes minutes, a clone of the cached one milliseconds).
# Needs i386 code to run (i386_emulation_on) when the cache is cold.
i686_template_recipe=1
i686_template() {
  local template=$1
  if prefix_has_wow64 "$template"; then echo "$template"; return 0; fi
  local version cache
  version=$("$(wine_loader)" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')
  cache=${BRIMLOW_CACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/brimlow}
  local cached=$cache/prefix-i686-$version-r$i686_template_recipe
  if [ -f "$cached/.brimlow-complete" ]; then echo "$cached"; return 0; fi
  mkdir -p "$cache" || return 1
  local fresh=$cached.boot.$$
  echo "booting a prefix with its 32-bit half (cold cache: $cached)" >&2
  make_template "$fresh" 1800 || { rm -rf "$fresh"; return 1; }
  prefix_has_wow64 "$fresh" || { echo "the boot left syswow64 empty" >&2; rm -rf "$fresh"; return 1; }
  touch "$fresh/.brimlow-complete"
  rm -rf "$cached"
  mv "$fresh" "$cached" && echo "$cached"
}
