#!/usr/bin/env bash
# The shipped program needs nothing beyond the Windows system DLLs: the C and C++ runtimes and the
# thread library are linked in. Checks both builds' import tables and machine types.
#   check_binaries.sh ROOT_BUILD_DIR      (holds win32/ and win64/)
set -uo pipefail
builds=$1
passed=0 failed=0
system_dlls='^(ADVAPI32|COMCTL32|COMDLG32|GDI32|IPHLPAPI|KERNEL32|MSVCRT|NETAPI32|OLE32|OLEAUT32|SHELL32|USER32|WINMM|WINSPOOL\.DRV|WS2_32|VERSION|MPR|SETUPAPI|HID)(\.DLL)?$'

check() {  # check EXE FORMAT
  local exe=$1 format=$2 name imports bad
  name=$(basename "$(dirname "$exe")")/$(basename "$exe")
  if ! x86_64-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q "file format $format"; then
    failed=$((failed + 1)); echo "FAILED: $name is not $format"; return
  fi
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]')
  bad=$(echo "$imports" | grep -Ev "$system_dlls" || true)
  if [ -n "$bad" ]; then
    failed=$((failed + 1)); echo "FAILED: $name imports non-system DLLs: $(echo $bad)"
  else
    passed=$((passed + 1)); echo "ok: $name ($format) imports system DLLs only: $(echo $imports)"
  fi
}

check "$builds/win32/brimlow.exe" pei-i386
check "$builds/win64/brimlow.exe" pei-x86-64
echo "binaries: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
