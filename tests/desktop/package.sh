#!/usr/bin/env bash
# Checks of what the program gives a Linux desktop: its desktop entry and
# metainfo, and the Debian package built from this build tree.
#
#   package.sh entry BUILD_DIR             the desktop entry is valid
#   package.sh metainfo BUILD_DIR          the metainfo is valid
#   package.sh build BUILD_DIR WORK_DIR    builds the package and unpacks it
#   package.sh contents SOURCE_DIR WORK_DIR
#   package.sh starts WORK_DIR [PROGRAM]   the unpacked program, or PROGRAM, shows its launcher
#   package.sh lintian WORK_DIR
#   package.sh search-path BINARY...       each searches for libraries in no relative folder
#
# Exits 77 (a skip) only when a tool the check needs is not installed.
set -euo pipefail

readonly app_id=com.example.quillo.Kelvaro
readonly skip=77

need() {
  command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit $skip; }
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

package_of() {
  local debs=("$1"/out/*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package in $1/out"
  echo "${debs[0]}"
}

check_entry() {
  need desktop-file-validate
  desktop-file-validate "$1/packaging/$app_id.desktop"
}

check_metainfo() {
  need appstreamcli
  appstreamcli validate --no-net --pedantic "$1/packaging/$app_id.metainfo.xml"
}

build_package() {
  local build=$1 work=$2
  need cpack
  need dpkg-deb
  need dpkg-shlibdeps
  rm -rf "$work"
  mkdir -p "$work"
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack did not build the package"; }
  dpkg-deb -x "$(package_of "$work")" "$work/root"
}

check_contents() {
  local source=$1 work=$2 deb root
  deb=$(package_of "$work")
  root=$work/root
  local file
  for file in usr/bin/tabrinex "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
    usr/share/man/man1/tabrinex.1.gz usr/share/doc/kelvaro/copyright usr/share/doc/kelvaro/changelog.gz; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
  done
  [ -x "$root/usr/bin/tabrinex" ] || fail "/usr/bin/tabrinex is not executable"

  # The entry's icon is there at the window icon's own 32 x 32 and larger.
  local icon size
  icon=$(sed -n 's/^Icon=//p' "$root/usr/share/applications/$app_id.desktop")
  cmp -s "$source/resources/icons/kelvaro.png" "$root/usr/share/icons/hicolor/32x32/apps/$icon.png" ||
    fail "the 32x32 icon is not the program's own"
  for size in 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] || fail "no ${size}x$size icon"
  done

  # Libraries come from the binary; the sound library and the fonts are
  # loaded at run time and must be named by hand.
  local depends dependency
  depends=$(dpkg-deb -f "$deb" Depends)
  for dependency in libqt6widgets6 libsdl2-2.0-0 fonts-liberation fonts-liberation-sans-narrow fonts-dejavu-core; do
    [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency: $depends"
  done

  need appstreamcli
  appstreamcli validate-tree --no-net "$root"

  local binaries=()
  while IFS= read -r -d '' file; do
    [ "$(head -c 4 "$file")" = $'\x7fELF' ] && binaries+=("$file")
  done < <(find "$root" -type f -print0)
  [ ${#binaries[@]} -gt 0 ] || fail "the package holds no program"
  check_search_path "${binaries[@]}"
}

# Every folder a binary names for its libraries (RPATH or RUNPATH) is absolute.
# The dynamic loader reads an empty entry (CMake pads the build tree's paths
# with them) or "." as the folder the program was started from, which anyone
# may fill. $ORIGIN would serve libraries of our own, and no binary needs one.
check_search_path() {
  need readelf
  local file dynamic wrong found=""
  for file in "$@"; do
    dynamic=$(readelf -d "$file") || fail "readelf cannot read $file"
    wrong=$(sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]$/\2/p' <<<"$dynamic" | awk -v file="$file" '{
        n = split($0, entry, ":")
        relative = n == 0
        for (i = 1; i <= n; ++i) relative = relative || entry[i] !~ /^\//
        if (relative) printf "%s: [%s]\n", file, $0
      }')
    [ -z "$wrong" ] || found+=$wrong$'\n'
  done
  [ -z "$found" ] || fail "libraries are searched for in relative folders:"$'\n'"$found"
  echo "$# binaries: libraries are searched for in absolute folders only"
}

# The launcher is up once its exit button has been painted into the window.
check_starts() {
  local work=$1 tabrinex=${2:-$1/root/usr/bin/tabrinex}
  local runtime
  runtime=$(mktemp -d)
  coproc program {
    cd "$work"
    exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
      XDG_RUNTIME_DIR="$runtime" QT_LOGGING_RULES="qt.widgets.painting=true" "$tabrinex" 2>&1
  }
  local pid=$program_PID line up=0
  while IFS= read -r -t 60 line <&"${program[0]}"; do
    if [[ $line == *"Drawing "*' of QPushButton('*'name="Quit")'* ]]; then
      up=1
      break
    fi
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$runtime"
  [ $up -eq 1 ] || fail "$tabrinex ended or hung before its launcher was drawn"
  echo "the launcher is up"
}

check_lintian() {
  need lintian
  local report
  report=$(lintian --fail-on error,warning "$(package_of "$1")" 2>&1) || { echo "$report"; fail "lintian found errors or warnings"; }
  echo "$report"
}

case "${1:-}" in
  entry) check_entry "$2" ;;
  metainfo) check_metainfo "$2" ;;
  build) build_package "$2" "$3" ;;
  contents) check_contents "$2" "$3" ;;
  starts) check_starts "$2" "${3:-}" ;;
  lintian) check_lintian "$2" ;;
  search-path) shift && check_search_path "$@" ;;
  *) fail "unknown check: ${1:-}" ;;
esac
