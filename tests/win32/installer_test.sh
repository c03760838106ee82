#!/usr/bin/env bash
# The Windows installer and zip as an administrator and a user meet them,
# under Wine in a fresh prefix on a virtual X display: silent installs (an
# older version, then this one twice, then into another folder with the
# desktop shortcut) leave one set of files, the shortcuts and one uninstall
# entry with its fields; the installed program starts and closes with exit
# code 0; the silent uninstall takes back all that was written and nothing
# else. The zip holds one folder whose program starts.
# Usage: installer_test.sh SETUP.EXE OLDER-SETUP.EXE ZIP VERSION WINE-RUN.SH
set -euo pipefail
# unzip writes, and Wine reads, the Chinese file name in the locale's charset.
export LC_ALL=C.UTF-8

if [ "${TAVRELO_INSTALLER_ON_DISPLAY:-}" != 1 ]; then
  export TAVRELO_INSTALLER_ON_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash "$0" "$@"
fi

setup=$(realpath "$1") older=$(realpath "$2") zip=$(realpath "$3") version=$4 run_sh=$(realpath "$5")
name=tavrelo-$version-win64
work=$(mktemp -d "$PWD/installer-test.XXXXXX")
export HOME=$work/home
mkdir -p "$HOME"
prefix=$work/wine/prefix-96${TAVRELO_WINE_VERSION:+-$TAVRELO_WINE_VERSION}
c=$prefix/drive_c
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Every Wine step ends within a minute: an invisible dialog cannot hang the run.
win() { TAVRELO_WINE_TIMEOUT=60 bash "$run_sh" --root "$work/wine" "$@"; }
# Windows' path of a file in the prefix.
unix_path() { local p=${1#C:\\}; printf '%s/%s' "$c" "${p//\\//}"; }

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrelo'
menu_link=$c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tavrelo.lnk
desktop_link=$c/users/Public/Desktop/Tavrelo.lnk
installed_files='LICENSE.txt tavrelo.exe uninstall.exe 说明.txt'

# Everything on drive C but Windows itself and the temporary files, and the
# machine's and the user's registry but for Wine's own settings.
snapshot() {
  find "$c" -path "$c/windows" -prune -o -path "$c/users/*/Temp" -prune -o -print | sort
  local hive
  for hive in HKLM HKCU; do
    win reg export "$hive\\Software" 'C:\windows\temp\snapshot.reg' /y >/dev/null 2>&1 || fail "cannot export $hive"
    iconv -f UTF-16 -t UTF-8 "$c/windows/temp/snapshot.reg" | tr -d '\r' |
      awk '/^\[/ { wine = index($0, "\\Software\\Wine") > 0 } !wine'
  done
}

# The installation in folder $1 (Windows' path) of version $2, as it must be.
check_installed() {
  local folder=$1 want_version=$2 dir
  dir=$(unix_path "$folder")
  [ "$(cd "$dir" && ls | sort | tr '\n' ' ')" = "$installed_files " ] ||
    fail "$folder holds $(ls "$dir" 2>&1 | tr '\n' ' ')instead of $installed_files"
  cmp -s "$dir/tavrelo.exe" "$work/zip/$name/tavrelo.exe" || fail "$folder\\tavrelo.exe is not the program"
  # The shortcut names its target in the system's code page, its comment in UTF-16.
  strings -n 8 "$menu_link" | grep -xF "$folder\\tavrelo.exe" >/dev/null || fail "the Start menu shortcut does not point at $folder"
  od -An -tx1 -v "$menu_link" | tr -d ' \n' |
    grep "$(printf '桩侧负摩阻力计算' | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n')" >/dev/null ||
    fail "the Start menu shortcut lacks its Chinese comment"
  local values
  values=$(win reg query "$key" | tr -d '\r') || fail "no uninstall key after installing $want_version"
  local field
  while IFS= read -r field; do
    grep -qxF "    $field" <<<"$values" || fail "the uninstall key lacks \"$field\"; it holds: $values"
  done <<EOF
DisplayName    REG_SZ    Tavrelo
DisplayVersion    REG_SZ    $want_version
Publisher    REG_SZ    The Tavrelo developers
DisplayIcon    REG_SZ    $folder\\tavrelo.exe
InstallLocation    REG_SZ    $folder
UninstallString    REG_SZ    "$folder\\uninstall.exe"
QuietUninstallString    REG_SZ    "$folder\\uninstall.exe" /S
NoModify    REG_DWORD    0x1
NoRepair    REG_DWORD    0x1
EOF
  local size_kb files_kb
  size_kb=$(sed -n 's/^    EstimatedSize    REG_DWORD    //p' <<<"$values")
  files_kb=$(($(cat "$dir"/* | wc -c) / 1024))
  [ -n "$size_kb" ] && [ $((size_kb)) -ge $((files_kb - 4)) ] && [ $((size_kb)) -le $((files_kb + 4)) ] ||
    fail "EstimatedSize is \"$size_kb\" KB for $files_kb KB of files"
  local entries
  entries=$(win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    grep -c '^    DisplayName    REG_SZ    Tavrelo$' || true)
  [ "$entries" -eq 1 ] || fail "$entries uninstall entries named Tavrelo after installing $want_version"
}

# Program $1 shows the window "Tavrelo" and ends with 0 when it is closed.
check_starts() {
  win "$1" >"$work/program.log" 2>&1 &
  pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tavrelo$' | head -n 1) ||
    fail "$1 showed no window titled Tavrelo"
  xdotool windowfocus --sync "$window"
  sleep 0.3
  xdotool key alt+F4
  local status=0
  timeout 20 tail --pid="$pid" -f /dev/null || fail "$1 did not end when its window closed"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$1 ended with exit code $status"
}

# The zip first: its program is what the installer must have installed.
unzip -tq "$zip" >/dev/null || fail "$zip does not test clean"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "$name/ $name/LICENSE.txt $name/tavrelo.exe $name/说明.txt " ] ||
  fail "$zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
# The Chinese name is marked as UTF-8 (for Explorer): unzip in the C locale
# then spells it in code points, where it shows an unmarked one byte for byte.
[ "$(LC_ALL=C unzip -Z1 "$zip" | grep -c '^tavrelo-[^/]*/#U8bf4#U660e\.txt$')" = 1 ] ||
  fail "说明.txt is stored without the UTF-8 flag"
unzip -q "$zip" -d "$work/zip"
readme=$work/zip/$name/说明.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "说明.txt has no UTF-8 byte order mark"
if grep -q $'[^\r]$' "$readme" || grep -q '^$' "$readme"; then fail "说明.txt has a line without CRLF"; fi
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "说明.txt is not UTF-8"
grep -q $'[^\r]$' "$work/zip/$name/LICENSE.txt" && fail "LICENSE.txt has a line without CRLF"
x86_64-w64-mingw32-objdump -f "$setup" | grep -q 'file format pei-x86-64' || fail "the installer is not a 64-bit program"

win cmd /c exit 0 >/dev/null 2>&1 || fail "Wine does not start"
before=$(snapshot)

# An older version to the default folder, this one over it twice, then this
# one to another folder: each time one set of files and one entry.
win "$older" /S || fail "the silent install of the older version failed"
check_installed 'C:\Program Files\Tavrelo' 0.0.0
win "$setup" /S || fail "the silent install over the older version failed"
check_installed 'C:\Program Files\Tavrelo' "$version"
[ ! -e "$desktop_link" ] || fail "a desktop shortcut nobody asked for"
win "$setup" /S || fail "the second silent install of the same version failed"
check_installed 'C:\Program Files\Tavrelo' "$version"
win "$setup" /S /DESKTOPSHORTCUT '/D=C:\Apps\Tavrelo' || fail "the silent install to C:\\Apps\\Tavrelo failed"
check_installed 'C:\Apps\Tavrelo' "$version"
[ ! -e "$c/Program Files/Tavrelo" ] || fail "the folder of the earlier installation is still there"
strings -n 8 "$desktop_link" 2>/dev/null | grep -xF 'C:\Apps\Tavrelo\tavrelo.exe' >/dev/null ||
  fail "no desktop shortcut to C:\\Apps\\Tavrelo\\tavrelo.exe"

check_starts 'C:\Apps\Tavrelo\tavrelo.exe'

# A file of the user's own in the folder stays, and so does the folder.
echo mine >"$c/Apps/Tavrelo/notes.txt"
quiet=$(win reg query "$key" /v QuietUninstallString | tr -d '\r' | sed -n 's/^ *QuietUninstallString *REG_SZ *//p')
[ "$quiet" = '"C:\Apps\Tavrelo\uninstall.exe" /S' ] || fail "QuietUninstallString is $quiet"
win 'C:\Apps\Tavrelo\uninstall.exe' /S || fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself in the temporary folder.
for _ in $(seq 100); do
  [ ! -e "$c/Apps/Tavrelo/uninstall.exe" ] && ! win reg query "$key" >/dev/null 2>&1 && break
  sleep 0.2
done
win reg query "$key" >/dev/null 2>&1 && fail "the uninstall key is still there"
[ "$(ls "$c/Apps/Tavrelo")" = notes.txt ] || fail "after uninstalling, the folder holds: $(ls "$c/Apps/Tavrelo")"
rm "$c/Apps/Tavrelo/notes.txt"
rmdir "$c/Apps/Tavrelo" "$c/Apps"
after=$(snapshot)
diff <(echo "$before") <(echo "$after") >&2 || fail "uninstalling left the files or keys above changed"

check_starts "$work/zip/$name/tavrelo.exe"
echo "PASS: zip of one folder ($name/, UTF-8 names, CRLF texts) whose program starts;" \
  "installs over $version's elder, twice over itself and to another folder leave one entry and one set of files;" \
  "the installed program starts and closes with 0; the uninstaller takes back all it wrote and nothing else"
