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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# The upstream version Debian ships for Linux ("10.42" of "10.42-1+deb12u2").
version=$(dpkg-query -W -f='${Version}' libpcre2-dev 2>/dev/null || true)
if [ -z "$version" ]; then
  $SUDO apt-get update >&2
  $SUDO apt-get install -y --no-install-recommends libpcre2-dev >&2
  version=$(dpkg-query -W -f='${Version}' libpcre2-dev)
fi
upstream=${version%%-*}
cache=${KESTRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrovane}
prefix="$cache/pcre2-$upstream-mingw64"
if [ -f "$prefix/lib/libpcre2-8.a" ]; then
  echo "$prefix"
  exit 0
fi

# `apt-get source` needs dpkg-dev and a deb-src line; the one added uses the machine's own mirror.
if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q "install ok installed"; then
  $SUDO apt-get install -y --no-install-recommends dpkg-dev >&2
fi
if ! grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
    2>/dev/null | awk '$1 == "URIs:" || $1 == "deb" { for (i = 2; i <= NF; ++i)
      if ($i ~ /^https?:.*\/debian\/?$/) { print $i; exit } }' || true)
  mirror=${mirror:-http://deb.debian.org/debian}
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  # apt refuses one mirror with two keyrings: the line names the keyring the mirror has already.
  keyring=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '$1 == "Signed-By:" { print $2; exit }' || true)
  options=""
  if [ -n "$keyring" ]; then options="[signed-by=$keyring] "; fi
  echo "deb-src $options$mirror $codename main" | $SUDO tee /etc/apt/sources.list.d/kestro-src.list >&2
  $SUDO apt-get update >&2
fi

work="$cache/pcre2-$upstream-source"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source --download-only "pcre2=$version" >&2 ||
  apt-get source --download-only pcre2 >&2)
dsc=$(ls "$work"/pcre2_*.dsc | head -n1)
dpkg-source --no-check -x "$dsc" "$work/src" >&2

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
