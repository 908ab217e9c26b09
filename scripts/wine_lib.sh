# Wine helpers shared by run.sh, test.sh and the benchmarks. Source it; it defines functions only.
#
# Every Wine call goes through a time-out, every prefix belongs to the project (never the user's
# own ~/.wine), and whoever starts a wineserver ends it.

BRIMLOW_ROOT=${BRIMLOW_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko installers and no desktop menu entries when a prefix boots.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# 32-bit programs need a kernel that runs i386 code; some virtual machines have none. There the
# x86_64 build stands in for the shipped i686 one (the program is the same source).
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

# The loader to start programs with. Debian's wrapper prefers the 32-bit loader, which cannot
# start where i386 code does not run; the 64-bit loader runs 64-bit programs on its own.
wine_loader() {
  if native_i386; then echo wine
  else echo /usr/lib/wine/wine64
  fi
}

# wine_in PREFIX SECONDS program args... : one Wine process under a time-out.
wine_in() {
  local prefix=$1 seconds=$2; shift 2
  local loader; loader=$(wine_loader)
  if [ "$loader" = wine ]; then
    WINEPREFIX="$prefix" timeout -k 5 "$seconds" wine "$@"
  else
    WINEPREFIX="$prefix" WINELOADER="$loader" timeout -k 5 "$seconds" "$loader" "$@"
  fi
}

wine_stop() {
  WINEPREFIX="$1" timeout 20 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Boots a fresh prefix with the settings every test and unattended run wants: no sound drivers
# (the tests never play anything) and the null display driver (no X server needed, and no 2 s
# stall per closed window that a bare X server without window manager causes).
make_template() {
  local prefix=$1
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  wine_in "$prefix" 300 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed in $prefix" >&2; return 1; }
  WINEPREFIX="$prefix" timeout 120 wineserver -w >/dev/null 2>&1 || true
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
  for f in system.reg user.reg userdef.reg; do
    [ -e "$clone/$f" ] && { rm -f "$clone/$f"; cp -p "$template/$f" "$clone/$f"; }
  done
  return 0
}

# wine_set PREFIX 'KEY' NAME DATA : sets a string value in the prefix's registry.
wine_set() {
  wine_in "$1" 60 reg add "$2" /v "$3" /d "$4" /f >/dev/null 2>&1
}
