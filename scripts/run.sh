#!/usr/bin/env bash
# Builds brimlow.exe and starts it under Wine, passing the arguments on:
#   scripts/run.sh                     the main window (on $DISPLAY, or on a private Xvfb)
#   scripts/run.sh /AUTO report.txt    the unattended report, no display needed
# Installs what is missing first. The program runs in a Wine prefix of the project's own
# (build/wine/run), never in ~/.wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
. "$root/scripts/wine_lib.sh"

# The shipped program is the i686 build; where this machine cannot run 32-bit code the x86_64
# build of the same sources runs instead.
arch=$(wine_arch)
presets=(win32)
[ "$arch" = win64 ] && presets+=(win64)
for preset in "${presets[@]}"; do
  (cd "$root" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" --target brimlow >&2)
done
exe=$root/build/$arch/brimlow.exe
[ "$arch" = win32 ] || echo "note: this machine runs no 32-bit code; starting the x86_64 build" >&2

prefix=$root/build/wine/run
[ -f "$prefix/system.reg" ] || make_template "$prefix"

# An unattended report needs no display at all: Wine's null display driver serves.
if [ $# -ge 1 ] && [ "${1^^}" = /AUTO ]; then
  wine_set "$prefix" 'HKCU\Software\Wine\Drivers' Graphics null
  trap 'wine_stop "$prefix"' EXIT
  wine_in "$prefix" "${BRIMLOW_TIMEOUT:-600}" "$exe" "$@"
  exit $?
fi

# The window needs an X display; without one, a private Xvfb serves.
wine_set "$prefix" 'HKCU\Software\Wine\Drivers' Graphics x11
trap 'wine_stop "$prefix"' EXIT
if [ -n "${DISPLAY:-}" ]; then
  wine_in "$prefix" "${BRIMLOW_TIMEOUT:-86400}" "$exe" "$@"
else
  echo "note: no DISPLAY; the window opens on a private Xvfb (screen 1280x1024)" >&2
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '. "$0"; wine_in "$1" "${BRIMLOW_TIMEOUT:-86400}" "${@:2}"' \
    "$root/scripts/wine_lib.sh" "$prefix" "$exe" "$@"
fi
