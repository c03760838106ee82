# The shell library of the scripts here and of .ci/run, sourced, not run:
# installs the Debian packages that are missing, generates the locale the
# tests need, configures and builds one CMake preset and runs CTest.

TAVRELO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages by purpose. Debian 12 names.
TAVRELO_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev)
TAVRELO_RUN_PACKAGES=(fonts-wqy-zenhei fonts-arphic-uming qt6-translations-l10n)
# LibreOffice Writer without its GUI reads the reports' HTML in a test.
TAVRELO_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  desktop-file-utils appstream librsvg2-bin dpkg-dev locales libreoffice-writer-nogui)
# tavrelo.exe for Windows, cross-built; and its tests, under Wine on a
# virtual display (GoogleTest from Debian's sources, xdotool and xclip for
# the smoke test, xwininfo and ImageMagick's import for the benchmark's floor).
TAVRELO_WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix cmake ninja-build)
TAVRELO_WINDOWS_TEST_PACKAGES=(googletest wine wine64 xvfb xauth xdotool xclip fonts-wqy-zenhei fonts-arphic-uming
  imagemagick librsvg2-bin x11-utils)
# The Windows installer and zip (NSIS builds the installer; unzip reads the zip in its test).
TAVRELO_WINDOWS_PACKAGE_PACKAGES=(nsis unzip)
# tavrelo.html, the window as one web page, built with Emscripten (its
# preset configures the test pages too: GoogleTest from Debian's sources;
# zopfli compresses the module inside the page);
# and its tests: the core's and the form's under node, the window cases and
# the page itself in headless Chromium, which a Python 3 script drives (the
# fonts the labels are measured in).
TAVRELO_WEB_BUILD_PACKAGES=(emscripten cmake ninja-build googletest zopfli)
TAVRELO_WEB_TEST_PACKAGES=(chromium python3 fonts-wqy-zenhei fonts-arphic-uming)

# A locale with a decimal comma: the tests show that number reading ignores
# the locale, and need one in which it would matter.
TAVRELO_TEST_LOCALE=de_DE.UTF-8

tavrelo_log() { printf 'tavrelo: %s\n' "$*" >&2; }

tavrelo_missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' || printf '%s\n' "$package"
  done
}

# Runs "$@" as root: directly when we are root, else through sudo. $1 of
# the call is what it is for, for the message when neither is possible.
tavrelo_as_root() {
  local purpose=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    tavrelo_log "needs root or sudo to $purpose"
    return 1
  fi
}

# Refreshes the package lists, once: a later install in this process or its
# children does not refresh them again.
tavrelo_apt_update() {
  [ -n "${TAVRELO_APT_UPDATED:-}" ] && return 0
  tavrelo_as_root "refresh the package lists" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
  export TAVRELO_APT_UPDATED=1
}

# Installs the packages among "$@" that are not installed yet; as root, or
# through sudo. The package lists are refreshed only when an install needs it
# and they were not refreshed already.
tavrelo_install_missing() {
  local missing
  mapfile -t missing < <(tavrelo_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}")
  tavrelo_log "installing ${missing[*]}"
  tavrelo_as_root "install ${missing[*]}" "${install[@]}" >/dev/null 2>&1 && return 0
  # Once more, with fresh lists if they were not refreshed yet, and with
  # apt's errors shown.
  tavrelo_apt_update && tavrelo_as_root "install ${missing[*]}" "${install[@]}" >/dev/null ||
    { tavrelo_log "could not install ${missing[*]}"; return 1; }
}

# Generates the tests' locale when the system does not have it yet (needs
# the locales package, which is among the test packages).
tavrelo_test_locale() {
  local language=${TAVRELO_TEST_LOCALE%%.*}
  # grep reads to the end (no -q), so that locale never meets a closed pipe.
  locale -a 2>/dev/null | grep -ix "$language\.utf-\{0,1\}8" >/dev/null && return 0
  tavrelo_log "generating the locale $TAVRELO_TEST_LOCALE"
  tavrelo_as_root "generate the locale $TAVRELO_TEST_LOCALE" localedef -i "$language" -f UTF-8 "$TAVRELO_TEST_LOCALE" ||
    { tavrelo_log "could not generate the locale $TAVRELO_TEST_LOCALE"; return 1; }
}

# Configures and builds preset $1 (all targets, or the targets after it),
# with TAVRELO_JOBS jobs (2 unless set: the machines are shared).
# The tools' own chatter goes to build/<preset>.log and is shown on failure.
tavrelo_build() {
  local preset=$1
  shift
  local log="$TAVRELO_ROOT/build/$preset.log"
  mkdir -p "$TAVRELO_ROOT/build"
  local targets=()
  [ "$#" -gt 0 ] && targets=(--target "$@")
  if ! { cmake -S "$TAVRELO_ROOT" --preset "$preset" &&
         cmake --build "$TAVRELO_ROOT/build/$preset" --parallel "${TAVRELO_JOBS:-2}" "${targets[@]}"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    tavrelo_log "build failed; the whole log is in $log"
    return 1
  fi
}

# Leaves out of CTest's output the lines of tests that started and of tests
# that passed, and the total time after the summary, so that what is left is
# the failures, the skipped tests, and the summary line at the end.
tavrelo_thin_ctest_output() {
  awk '
    /^ +Start +[0-9]+: / { next }
    /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: .* Passed / { next }
    /^$/ { blanks++; next }
    /^Total Test time / { blanks = 0; next }
    { for (; blanks > 0; blanks--) print ""; print; fflush() }
  '
}

# Runs CTest once with the arguments "$@" (a preset and its options), prints
# its thinned output, and returns CTest's exit status: non-zero when a test
# failed or none was found.
tavrelo_ctest() {
  local -
  set -o pipefail
  local status=0
  ctest "$@" 2>&1 | tavrelo_thin_ctest_output || status=$?
  return "$status"
}

# Qt wants a private runtime folder and warns on every start without one (as
# root on a bare machine, where no login session made it). One for the tests.
tavrelo_test_environment() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d -t tavrelo-runtime.XXXXXX)
    export XDG_RUNTIME_DIR
  fi
}
