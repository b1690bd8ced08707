#!/usr/bin/env bash
# Builds kestro.exe for 64-bit Windows (Release, with mingw-w64) and packs it with the user guide
# and a short readme into one zip: build-windows-zip/kestrovane-<version>-win64.zip.
#   bash scripts/build-windows-zip.sh
#   BUILD_DIR=/tmp/bz bash scripts/build-windows-zip.sh
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build zip dpkg-dev libpcre2-dev
  libexiv2-dev zlib1g-dev pkg-config)
missing=0
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing=1
done
if [ "$missing" -eq 1 ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${packages[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build-windows-zip}
pcre2_prefix=$(bash scripts/build-pcre2-windows.sh)
exiv2_prefix=$(bash scripts/build-exiv2-windows.sh)
export PKG_CONFIG_LIBDIR="$exiv2_prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD_DIR" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DPCRE2_ROOT="$pcre2_prefix" \
  -DKESTRO_WINDOWS_PREFIXES="$exiv2_prefix" \
  -DKESTRO_WITH_QT=OFF -DKESTRO_BUILD_BENCH=OFF -DKESTRO_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" --target kestro

version=$(sed -n 's/^project(Kestrovane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="kestrovane-${version}-win64"
stage="$BUILD_DIR/$name"
rm -rf "$stage" "$BUILD_DIR/$name.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/kestro.exe" "$BUILD_DIR/kestro.exe"
# A window program, so no console window comes up when it is started from Explorer.
headers=$(x86_64-w64-mingw32-objdump -p "$stage/kestro.exe")
if ! grep -q '^Subsystem.*(Windows GUI)' <<<"$headers"; then
  echo "build-windows-zip: kestro.exe is not a window program" >&2
  exit 1
fi
cp docs/manual.htm "$stage/manual.htm"
# Windows line ends, so Notepad shows the readme as it is meant.
sed -e "s/@VERSION@/${version}/" -e 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
(cd "$BUILD_DIR" && zip -q -r -X "$name.zip" "$name")
echo "build-windows-zip: $BUILD_DIR/$name.zip"
zip -sf "$BUILD_DIR/$name.zip"
