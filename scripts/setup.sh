# Shared set-up for run.sh and test.sh: installs the Debian packages that are
# missing, then configures and builds one CMake preset. Sourced, not run.

TAVRELO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages by purpose. Debian 12 names.
TAVRELO_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev)
TAVRELO_RUN_PACKAGES=(fonts-wqy-zenhei fonts-arphic-uming)
TAVRELO_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  desktop-file-utils appstream librsvg2-bin dpkg-dev)

tavrelo_log() { printf 'tavrelo: %s\n' "$*" >&2; }

tavrelo_missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' || printf '%s\n' "$package"
  done
}

# Installs the packages among "$@" that are not installed yet; as root, or
# through sudo. The package lists are refreshed only when an install needs it.
tavrelo_install_missing() {
  local missing
  mapfile -t missing < <(tavrelo_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { tavrelo_log "needs root or sudo to install: ${missing[*]}"; return 1; }
    sudo=(sudo)
  fi
  tavrelo_log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1; then
    "${sudo[@]}" apt-get update -qq >/dev/null &&
      "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
      { tavrelo_log "could not install ${missing[*]}"; return 1; }
  fi
}

# Configures and builds preset $1 (all targets, or the targets after it).
# The tools' own chatter goes to build/<preset>.log and is shown on failure.
tavrelo_build() {
  local preset=$1
  shift
  local log="$TAVRELO_ROOT/build/$preset.log"
  mkdir -p "$TAVRELO_ROOT/build"
  local targets=()
  [ "$#" -gt 0 ] && targets=(--target "$@")
  if ! { cmake -S "$TAVRELO_ROOT" --preset "$preset" &&
         cmake --build "$TAVRELO_ROOT/build/$preset" "${targets[@]}"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    tavrelo_log "build failed; the whole log is in $log"
    return 1
  fi
}

# Qt wants a private runtime folder and warns on every start without one (as
# root on a bare machine, where no login session made it). One for the tests.
tavrelo_test_environment() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d -t tavrelo-runtime.XXXXXX)
    export XDG_RUNTIME_DIR
  fi
}
