# Installs what the build and the tests need and builds the project.
# Sourced by run.sh and test.sh; safe to repeat, quick when nothing is missing.

set -euo pipefail

KELVARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KELVARO_BUILD=${KELVARO_BUILD:-$KELVARO_ROOT/build}

# The packages of scripts/packages.txt: those of its [run] sections, what building
# and running the program need, or of every section with "all"; a section named
# for another release than this machine's is left out.
kelvaro_listed_packages() {
  local release
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  awk -v want="$1" -v release="$release" '/^\[.*\]$/ {
      split(substr($0, 2, length($0) - 2), name, ":")
      section = name[1]
      listed = name[2] == "" || name[2] == release
      next
    }
    /^[[:space:]]*(#|$)/ { next }
    listed && (want == "all" || section == want)' "$KELVARO_ROOT/scripts/packages.txt"
}

# Installs the packages named, or all those of scripts/packages.txt when none is.
kelvaro_install_packages() {
  local wanted=("$@") missing=() package
  if [ ${#wanted[@]} -eq 0 ]; then
    mapfile -t wanted < <(kelvaro_listed_packages all)
  fi
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  # Another install running on the machine is waited for rather than failed on.
  local apt=("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600)
  "${apt[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds into $KELVARO_BUILD with the options given, installing first what
# building and running need, so that any check can build on a fresh machine.
kelvaro_build() {
  local packages
  mapfile -t packages < <(kelvaro_listed_packages run)
  kelvaro_install_packages "${packages[@]}"
  cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja "$@" >/dev/null
  cmake --build "$KELVARO_BUILD"
}
