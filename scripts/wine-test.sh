#!/usr/bin/env bash
# Cross-builds the Qt-free rules and their tests for Windows with MinGW-w64 and
# runs them under Wine, so that the registry, file and process code meets the
# real Windows calls. Needs no display; installs what is missing.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
root=$KELVARO_ROOT
build=${KELVARO_WINE_BUILD:-$root/build-wine}
started=$SECONDS

# The preloader keeps Wine's address space free of the host's libraries.
kelvaro_install_packages cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64 wine64-preloader wine

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/scripts/mingw-w64.cmake" \
  -DKELVARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
built=$SECONDS

# A quiet, windowless Wine in a prefix of its own; a crash fails the test
# instead of waiting in the debugger.
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winedbg.exe=d'
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-wine.XXXXXX")
export WINEPREFIX
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineserver -p
wine wineboot --init >/dev/null 2>&1
booted=$SECONDS

# What the registry tests read: values of every kind, and the viewer's full
# path and folder, in keys of their own.
reg_add() { wine reg add "$@" /f >/dev/null; }
values='HKLM\Software\KelvaroTest\Values'
reg_add "$values" /v Text /t REG_SZ /d 'C:\Program Files\Kelvaro Probe\viewer.exe'
reg_add "$values" /v Dword /t REG_DWORD /d 42
reg_add "$values" /v Expand /t REG_EXPAND_SZ /d '%SystemRoot%\system32'
reg_add "$values" /v Binary /t REG_BINARY /d 0102ff
reg_add "$values" /v Empty /t REG_BINARY
reg_add "$values" /v Long /t REG_SZ /d "C:\\$(printf 'x%.0s' $(seq 1100))"
reg_add 'HKLM\Software\KelvaroTest\FullPath' /v PATH /t REG_SZ /d 'C:\kelvaro probe\viewer.exe'
reg_add 'HKLM\Software\KelvaroTest\Folder' /v MSINFO /t REG_SZ /d 'C:\kelvaro folder'
reg_add 'HKLM\Software\KelvaroTest\NoViewer' /v MSINFO /t REG_SZ /d 'C:\kelvaro empty'

# The probe stands in for the viewer; the decoy is what a command line split
# at the first blank would start instead.
drive_c="$WINEPREFIX/drive_c"
probe="$build/tests/about/sysinfo_probe.exe"
mkdir -p "$drive_c/kelvaro probe" "$drive_c/kelvaro folder" "$drive_c/kelvaro empty"
cp "$probe" "$drive_c/kelvaro probe/viewer.exe"
cp "$probe" "$drive_c/kelvaro folder/MSINFO32.EXE"
cp "$probe" "$drive_c/kelvaro.exe"

ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
echo "Wine test step: $((SECONDS - started)) s (build $((built - started)) s, prefix $((booted - built)) s," \
  "tests $((SECONDS - booted)) s)"
