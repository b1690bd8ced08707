#!/usr/bin/env bash
# Builds the Debian package build-deb/kestrovane_<version>_<arch>.deb from a Release build.
# With --install it also installs the package (pulling in the Qt 6 runtime it depends on) and
# checks that the installed `kestro --help` runs headless: exit status 2 and the help text.
#
#   bash scripts/build-deb.sh [--install]
set -euo pipefail
cd "$(dirname "$0")/.."

install=0
for arg in "$@"; do
  case "$arg" in
    --install) install=1 ;;
    -h | --help)
      sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "build-deb.sh: unknown argument '$arg' (try --help)" >&2
      exit 2
      ;;
  esac
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

bash scripts/install-deps.sh
# dpkg-shlibdeps (dpkg-dev) works out the package's dependencies from the libraries the binary
# links; it reads them with objdump (binutils) and checks file types with file.
$SUDO apt-get install -y --no-install-recommends dpkg-dev binutils file

# Optimised at -O2, as Debian builds its own packages.
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DKESTRO_BUILD_TESTS=OFF -DKESTRO_BUILD_BENCH=OFF
cmake --build build-deb
rm -f build-deb/kestrovane_*.deb
(cd build-deb && cpack -G DEB)

deb=$(ls build-deb/kestrovane_*.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends
dpkg-deb --contents "$deb"

if [ "$install" -eq 1 ]; then
  # dpkg installs the package itself; apt-get then brings in any dependency that was missing.
  if ! $SUDO dpkg -i "$deb"; then
    $SUDO apt-get install -f -y
  fi
  dpkg-query -W -f='${Status}\n' kestrovane | grep -q 'install ok installed'

  config=$(mktemp -d)
  trap 'rm -rf "$config"' EXIT
  status=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$config" \
    kestro --help </dev/null) || status=$?
  if [ "$status" -ne 2 ]; then
    echo "build-deb.sh: 'kestro --help' ended with status $status, expected 2" >&2
    exit 1
  fi
  if ! grep -qF 'KESTRO <path> <mode> <options>' <<<"$out"; then
    echo "build-deb.sh: 'kestro --help' printed no help text:" >&2
    echo "$out" >&2
    exit 1
  fi
  echo "== installed $(command -v kestro); 'kestro --help' ended with status 2 and printed:"
  echo "$out"
fi
