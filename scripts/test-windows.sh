#!/usr/bin/env bash
# Builds the Qt-free layers (engine, platform with its Windows sources, batch) and their tests for
# 64-bit Windows with mingw-w64, and runs the tests under Wine. Installs what it needs first.
#   bash scripts/test-windows.sh            (build folder: build-windows)
#   BUILD_DIR=/tmp/bw bash scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
packages=(g++-mingw-w64-x86-64-posix wine64 wine googletest cmake ninja-build dpkg-dev libpcre2-dev
  libexiv2-dev zlib1g-dev pkg-config nsis)
missing=0
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing=1
done
if [ "$missing" -eq 1 ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${packages[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build-windows}
mkdir -p "$BUILD_DIR"
BUILD_DIR=$(cd "$BUILD_DIR" && pwd)

# Wine: a prefix of our own inside the build folder, set up without any window (no Mono or Gecko
# installer is offered), and a server kept running so each test process starts quickly.
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "test-windows: setting up the Wine prefix"
  wineboot --init >/dev/null 2>&1
fi
# A server still running on this prefix (from the set-up, or an earlier run) is stopped, so the
# one started here stays up for the whole run.
wineserver --kill >/dev/null 2>&1 || true
wineserver --persistent
# As on Windows, only the hidden attribute hides an entry: Wine would otherwise mark every name
# beginning with "." hidden by itself.
wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null
# Windows without a display: Wine's null graphics driver lets the window tests create and drive
# their windows by messages.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
cleanup() {
  wineserver --kill >/dev/null 2>&1 || true
  if [ -n "${drive_folder:-}" ]; then rm -rf "$drive_folder"; fi
  if [ -n "${e2e_drive_folder:-}" ]; then rm -rf "$e2e_drive_folder"; fi
  rm -f "$WINEPREFIX/dosdevices/k:" "$WINEPREFIX/dosdevices/l:"
}
trap cleanup EXIT

# Drive K: is an empty temporary folder, so the tests can rename at the root of a drive; L: is
# another, where the runs of kestro.exe work (on Windows paths, also at the drive's root).
drive_folder=$(mktemp -d)
ln -sfn "$drive_folder" "$WINEPREFIX/dosdevices/k:"
export KESTRO_TEST_DRIVE="K:"
e2e_drive_folder=$(mktemp -d)
ln -sfn "$e2e_drive_folder" "$WINEPREFIX/dosdevices/l:"
export KESTRO_E2E_DRIVE="L:"

# PCRE2 for Windows: Debian's source of the version Linux uses, cross-built once and kept.
pcre2_prefix=$(bash scripts/build-pcre2-windows.sh)
# libexiv2 likewise, found through its own pkg-config file alone: no .pc file of the Linux system
# may answer for a Windows library.
exiv2_prefix=$(bash scripts/build-exiv2-windows.sh)
export PKG_CONFIG_LIBDIR="$exiv2_prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR

# ccache, where it is installed, makes a rebuild of unchanged sources nearly free.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD_DIR" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCRE2_ROOT="$pcre2_prefix" \
  -DKESTRO_WINDOWS_PREFIXES="$exiv2_prefix" \
  -DKESTRO_WITH_QT=OFF -DKESTRO_BUILD_BENCH=OFF -DKESTRO_GTEST_FROM_SOURCE=ON
# Keep going past a target that fails to build, so every test that did build still runs.
build_status=0
cmake --build "$BUILD_DIR" -- -k 0 || build_status=$?

test_status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" || test_status=$?

elapsed=$(( $(date +%s) - start ))
if [ "$build_status" -eq 0 ] && [ "$test_status" -eq 0 ]; then
  echo "test-windows: every test passed under Wine in ${elapsed} s"
  exit 0
fi
echo "test-windows: FAILED (build exit ${build_status}, ctest exit ${test_status}) after ${elapsed} s"
exit 1
