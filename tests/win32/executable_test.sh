#!/usr/bin/env bash
# What tavrelo.exe carries, read off the file: it imports nothing but
# functions of Windows' own DLLs that Windows 7 SP1 has (windows7_imports.txt),
# holds the version of the project, the manifest (Common Controls 6,
# per-monitor dpi, Windows 7 to 11) and the icon, and the icon is still the
# one rendered from the SVG.
# Usage: executable_test.sh TAVRELO.EXE VERSION SOURCE_DIR
set -euo pipefail
exe=$1 version=$2 source=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

# Every import as "DLL function", from the import table's lists of names.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '
  /^\tDLL Name: / { dll = toupper($3); next }
  /^$/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, $NF }' | sort -u)
[ -n "$imports" ] || fail "no imports read off $exe"
# The same pairs from the list: "DLL:" starts a DLL's names.
known=$(awk '/^#/ || NF == 0 { next } /:$/ { dll = substr($1, 1, length($1) - 1); next } { for (i = 1; i <= NF; i++) print dll, $i }' \
  "$source/tests/win32/windows7_imports.txt" | sort -u)
unknown=$(comm -23 <(echo "$imports") <(echo "$known"))
[ -z "$unknown" ] || fail "imports what Windows 7 SP1 may lack (look it up at run time, or list it in windows7_imports.txt once checked):
$unknown"
dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u)

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
# Windows 7, 8, 8.1, and 10 and 11.
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -q "supportedOS Id=\"{$os}\"" <<<"$manifest" || fail "the manifest does not name the system $os"
done
# "Windows 7 SP1 或更高版本（64 位）", as windres writes Chinese out.
grep -qF 'VALUE "Comments", L"Windows 7 SP1 \x6216\x66f4\x9ad8\x7248\x672c\xff0864 \x4f4d\xff09"' <<<"$resources" ||
  fail "the version information does not say Windows 7 SP1 或更高版本（64 位）"

# The committed icon against a fresh rendering of the SVG, size by size.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$source/packaging/windows/render-ico.sh" "$work/fresh.ico"
for frame in 0 1 2 3 4 5; do
  differing=$(compare-im6.q16 -metric AE "$source/packaging/windows/tavrelo.ico[$frame]" "$work/fresh.ico[$frame]" \
    null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "icon size $frame differs from the SVG in $differing pixels: run packaging/windows/render-ico.sh"
done
echo "PASS: $(wc -l <<<"$imports") imports from $(echo $dlls), all in Windows 7 SP1; version $version; manifest;" \
  "icon as rendered from the SVG"
