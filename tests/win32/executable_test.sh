#!/usr/bin/env bash
# What tavrelo.exe carries, read off the file: it imports nothing but
# Windows' own DLLs, holds the version of the project, the manifest (Common
# Controls 6, per-monitor dpi) and the icon, and the icon is still the one
# rendered from the SVG.
# Usage: executable_test.sh TAVRELO.EXE VERSION SOURCE_DIR
set -euo pipefail
exe=$1 version=$2 source=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort)
windows_own="COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL OLEACC.DLL USER32.DLL ADVAPI32.DLL"
for dll in $imports; do
  [[ " $windows_own " == *" $dll "* ]] || fail "imports $dll, which Windows does not ship"
done

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "no product version $version"
grep -q 'VALUE "ProductName", "Tavrelo"' <<<"$resources" || fail "no product name"
grep -q 'VALUE "Translation", 0x804, 1200' <<<"$resources" || fail "version information is not Simplified Chinese"
[ "$(grep -c 'RT_ICON \*/' <<<"$resources")" -eq 6 ] || fail "the icon does not hold its six sizes"
grep -q 'RT_MANIFEST' <<<"$resources" || fail "no manifest"
manifest=$(strings -n 8 "$exe")
grep -q 'name="Microsoft.Windows.Common-Controls" version="6' <<<"$manifest" ||
  fail "the manifest does not ask for Common Controls 6"
grep -q '>PerMonitorV2, PerMonitor<' <<<"$manifest" || fail "the manifest does not ask for per-monitor dpi"

# The committed icon against a fresh rendering of the SVG, size by size.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$source/packaging/windows/render-ico.sh" "$work/fresh.ico"
for frame in 0 1 2 3 4 5; do
  differing=$(compare-im6.q16 -metric AE "$source/packaging/windows/tavrelo.ico[$frame]" "$work/fresh.ico[$frame]" \
    null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "icon size $frame differs from the SVG in $differing pixels: run packaging/windows/render-ico.sh"
done
echo "PASS: Windows' own DLLs only ($(echo $imports)); version $version; manifest; icon as rendered from the SVG"
