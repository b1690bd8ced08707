#!/usr/bin/env bash
# Cross-builds libexiv2 for 64-bit Windows with mingw-w64 from Debian's own source package, the
# same upstream version as the libexiv2-dev the Linux build uses, so both read a date taken alike.
# Static; PNG kept (with zlib, also cross-built from Debian's source); XMP left out (it would need
# expat and the bundled XMP toolkit); no video, no network access, no translations, no tool.
# Installed into a prefix that is kept between runs, with an exiv2.pc that names every library a
# static link needs:
#   bash scripts/build-exiv2-windows.sh          prints the prefix on stdout
#   KESTRO_CACHE=/tmp/c bash scripts/build-exiv2-windows.sh
# A prefix that exists already is used as it is: nothing is fetched or built.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain="$PWD/cmake/toolchain-mingw64.cmake"
source scripts/debian-source.sh

exiv2_version=$(debian_installed_version libexiv2-dev)
zlib_version=$(debian_installed_version zlib1g-dev)
exiv2_upstream=${exiv2_version%-*}
cache=${KESTRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrovane}
prefix="$cache/exiv2-$exiv2_upstream-mingw64"
if [ -f "$prefix/lib/pkgconfig/exiv2.pc" ]; then
  echo "$prefix"
  exit 0
fi
rm -rf "$prefix"
jobs=$(nproc)

# zlib: the static libz.a alone (Debian's source has no win32 folder; configure knows mingw).
zlib_work="$cache/zlib-mingw64-source"
debian_source_unpack zlib "$zlib_version" "$zlib_work"
(cd "$zlib_work/src" && CHOST=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
  AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib CFLAGS=-O2 \
  ./configure --static >&2 && make -j "$jobs" libz.a >&2)
mkdir -p "$prefix/lib" "$prefix/include"
cp "$zlib_work/src/libz.a" "$prefix/lib/"
cp "$zlib_work/src/zlib.h" "$zlib_work/src/zconf.h" "$prefix/include/"
rm -rf "$zlib_work"

# Unicode paths on: a name outside the ANSI code page opens through the wide-character overloads.
work="$cache/exiv2-$exiv2_upstream-source"
debian_source_unpack exiv2 "$exiv2_version" "$work"
cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DZLIB_LIBRARY_RELEASE="$prefix/lib/libz.a" \
  -DEXIV2_ENABLE_PNG=ON -DEXIV2_ENABLE_BMFF=ON -DEXIV2_ENABLE_WIN_UNICODE=ON \
  -DEXIV2_ENABLE_XMP=OFF -DEXIV2_ENABLE_EXTERNAL_XMP=OFF -DEXIV2_ENABLE_NLS=OFF \
  -DEXIV2_ENABLE_VIDEO=OFF -DEXIV2_ENABLE_WEBREADY=OFF -DEXIV2_ENABLE_CURL=OFF \
  -DEXIV2_ENABLE_SSH=OFF -DEXIV2_BUILD_SAMPLES=OFF -DEXIV2_BUILD_EXIV2_COMMAND=OFF \
  -DEXIV2_BUILD_UNIT_TESTS=OFF -DEXIV2_BUILD_FUZZ_TESTS=OFF -DEXIV2_BUILD_DOC=OFF \
  -DCMAKE_CXX_FLAGS="-Wno-deprecated-declarations" >&2
cmake --build "$work/build" -j "$jobs" >&2
cmake --install "$work/build" >&2
rm -rf "$work"

# The installed exiv2.pc is written for a shared library. Only static archives live here, so its
# Libs name what they need too, and its Cflags say the headers are used without dllimport. The
# prefix is found from the file's own place, so the cache folder may move.
rm -rf "$prefix/lib/cmake" "$prefix/share"
cat >"$prefix/lib/pkgconfig/exiv2.pc" <<PC
prefix=\${pcfiledir}/../..
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: exiv2
Description: Exif and IPTC metadata library (static, for 64-bit Windows, without XMP)
Version: $exiv2_upstream
Libs: -L\${libdir} -lexiv2 -lz -lpsapi -lws2_32 -lshell32
Cflags: -I\${includedir} -Dexiv2lib_STATIC
PC
echo "$prefix"
