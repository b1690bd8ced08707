#!/usr/bin/env bash
# Cross-builds PCRE2 for 64-bit Windows with mingw-w64 from Debian's own source package, the same
# upstream version as the libpcre2-dev the Linux build uses, so both platforms match a pattern
# alike. Static, 8-bit only, JIT on; installed into a prefix that is kept between runs:
#   bash scripts/build-pcre2-windows.sh          prints the prefix (CMAKE_PREFIX_PATH) on stdout
#   KESTRO_CACHE=/tmp/c bash scripts/build-pcre2-windows.sh
# A prefix that exists already is used as it is: nothing is fetched or built.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain="$PWD/cmake/toolchain-mingw64.cmake"

source scripts/debian-source.sh

# The upstream version Debian ships for Linux ("10.42" of "10.42-1+deb12u2").
version=$(debian_installed_version libpcre2-dev)
upstream=${version%%-*}
cache=${KESTRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrovane}
prefix="$cache/pcre2-$upstream-mingw64"
if [ -f "$prefix/lib/libpcre2-8.a" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/pcre2-$upstream-source"
debian_source_unpack pcre2 "$version" "$work"

cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON \
  -DPCRE2_BUILD_PCRE2_8=ON -DPCRE2_BUILD_PCRE2_16=OFF -DPCRE2_BUILD_PCRE2_32=OFF \
  -DPCRE2_SUPPORT_JIT=ON -DPCRE2_SUPPORT_UNICODE=ON \
  -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF -DPCRE2_SUPPORT_LIBBZ2=OFF \
  -DPCRE2_SUPPORT_LIBZ=OFF -DPCRE2_SUPPORT_LIBEDIT=OFF -DPCRE2_SUPPORT_LIBREADLINE=OFF >&2
cmake --build "$work/build" >&2
cmake --install "$work/build" >&2
rm -rf "$work"
echo "$prefix"
