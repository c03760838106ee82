#!/usr/bin/env bash
# packaging_test.sh install|deb BUILD_DIR VERSION
#   install: `cmake --install` into a staging folder holds exactly the
#            expected files, and the desktop entry and the AppStream file
#            pass their validators and agree with each other.
#   deb:     `cpack -G DEB` makes tavrelo_VERSION_ARCH.deb with the expected
#            control fields and files, and its Depends still cover every
#            library the binary links.
set -euo pipefail
mode=$1
build=$2
version=$3
id=org.example.Tavrelo

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
need() { local tool; for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done; }

# Every file the program installs, with its mode, below the prefix /usr.
expected_files() {
  cat <<END
-rwxr-xr-x usr/bin/tavrelo
-rw-r--r-- usr/share/applications/$id.desktop
-rw-r--r-- usr/share/doc/tavrelo/copyright
-rw-r--r-- usr/share/icons/hicolor/128x128/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/16x16/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/256x256/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/32x32/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/48x48/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/64x64/apps/$id.png
-rw-r--r-- usr/share/icons/hicolor/scalable/apps/$id.svg
-rw-r--r-- usr/share/metainfo/$id.metainfo.xml
END
}

# Prints the differences and fails when the listing on stdin is not the
# expected one.
same_files() {
  local what=$1
  if ! diff -u <(expected_files) <(LC_ALL=C sort -k2,2) >"$work/files.diff"; then
    cat "$work/files.diff" >&2
    fail "$what does not hold the expected files"
  fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check_install() {
  need cmake desktop-file-validate appstreamcli
  local stage="$work/stage"
  DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
  (cd "$stage" && find . ! -type d -printf '%M %P\n') | same_files "the staging folder"

  local desktop="$stage/usr/share/applications/$id.desktop"
  local metainfo="$stage/usr/share/metainfo/$id.metainfo.xml"
  local report
  report=$(desktop-file-validate "$desktop" 2>&1) || true
  [ -z "$report" ] || fail "desktop-file-validate: $report"
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli validate --no-net"; }

  # The entry starts the installed binary and shows the installed icon; the
  # AppStream file launches this entry (validate-tree looks for it) and
  # announces this version.
  local exec icon
  exec=$(sed -n 's/^Exec=//p' "$desktop")
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -x "$stage/usr/bin/$exec" ] || fail "Exec=$exec is not an installed program"
  [ -f "$stage/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not an installed icon"
  appstreamcli validate-tree --no-net "$stage" >"$work/tree.log" 2>&1 ||
    { cat "$work/tree.log" >&2; fail "appstreamcli validate-tree --no-net"; }
  local newest
  newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
  [ "$newest" = "$version" ] || fail "newest AppStream release is $newest, the project is at $version"
}

check_deb() {
  need cpack dpkg-deb dpkg-shlibdeps
  cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
  local deb
  deb="$work/out/tavrelo_${version}_$(dpkg --print-architecture).deb"
  [ -f "$deb" ] || { ls "$work/out" >&2; fail "no $(basename "$deb")"; }

  local depends="libc6 (>= 2.34), libgcc-s1 (>= 3.0), libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.1.2), libqt6widgets6 (>= 6.3.0), libstdc++6 (>= 11), fonts-wqy-zenhei, fonts-arphic-uming, qt6-translations-l10n"
  local field expected actual
  while IFS='|' read -r field expected; do
    actual=$(dpkg-deb -f "$deb" "$field")
    [ "$actual" = "$expected" ] || fail "$field: expected '$expected', got '$actual'"
  done <<END
Package|tavrelo
Version|$version
Section|science
Priority|optional
Depends|$depends
END
  dpkg-deb -f "$deb" Maintainer | grep -q '<.*@.*>' || fail "Maintainer has no address"
  local description
  description=$(dpkg-deb -f "$deb" Description)
  grep -q '负摩阻力' <<<"$description" || fail "the description has no Chinese line: $description"

  dpkg-deb -c "$deb" >"$work/contents"
  awk '$1 !~ /^d/ && $2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents" ||
    fail "files not owned by root"
  awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $6 }' "$work/contents" | same_files "the package"

  # The binary in the package links nothing that Depends leaves out. A
  # sanitizer build links more (its runtimes, and libraries that the linker
  # would otherwise drop as unneeded) and is never shipped: not checked.
  dpkg-deb -x "$deb" "$work/root"
  mkdir -p "$work/shlibs/debian"
  touch "$work/shlibs/debian/control"
  local needed
  needed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$work/root/usr/bin/tavrelo" 2>/dev/null) ||
    fail "dpkg-shlibdeps could not read the binary"
  if grep -qE '(=|, )lib(a|t|l|ub|hwa)san[0-9]' <<<"$needed"; then
    echo "sanitizer build: the libraries it links are not compared with Depends"
    return 0
  fi
  local library
  while read -r library; do
    grep -qxF "$library" <<<"${depends//, /$'\n'}" || fail "the binary needs '$library', Depends does not give it"
  done < <(sed 's/^shlibs:Depends=//; s/, /\n/g' <<<"$needed")
}

case $mode in
  install) check_install ;;
  deb) check_deb ;;
  *) fail "usage: $0 install|deb BUILD_DIR VERSION" ;;
esac
