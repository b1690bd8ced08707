#!/usr/bin/env bash
# Builds the Debian package build-deb/kestrovane_<version>_<arch>.deb from a Release build and
# checks it with lintian, which must find no error and no warning, and its AppStream metainfo with
# appstreamcli. With --install it also installs the package (pulling in the Qt 6 runtime it
# depends on) and checks that the installed `kestro --help` runs headless: exit status 2 and the
# help text, and that kestro-window is in the package's private folder, not on PATH.
#
#   bash scripts/build-deb.sh [--install]
set -euo pipefail
cd "$(dirname "$0")/.."

install=0
for arg in "$@"; do
  case "$arg" in
    --install) install=1 ;;
    -h | --help)
      sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
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
# links; it reads them with objdump (binutils) and checks file types with file. lintian checks the
# package as Debian checks its own; appstreamcli (appstream) the metainfo.
$SUDO apt-get install -y --no-install-recommends dpkg-dev binutils file lintian appstream

# Built as Debian builds its own packages: its optimisation and hardening flags.
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-deb -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" -DKESTRO_BUILD_TESTS=OFF -DKESTRO_BUILD_BENCH=OFF
cmake --build build-deb
rm -f build-deb/kestrovane_*.deb
(cd build-deb && cpack -G DEB)

deb=$(ls build-deb/kestrovane_*.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Maintainer Depends
dpkg-deb --contents "$deb"

echo "== lintian"
lintian --info --display-info --fail-on error,warning "$deb"
metainfo=$(mktemp -d)
dpkg-deb -x "$deb" "$metainfo"
appstreamcli validate --no-net --pedantic "$metainfo"/usr/share/metainfo/*.metainfo.xml
rm -rf "$metainfo"

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
  if [ -e /usr/bin/kestro-window ] || [ ! -x /usr/libexec/kestrovane/kestro-window ]; then
    echo "build-deb.sh: kestro-window is not in /usr/libexec/kestrovane alone" >&2
    exit 1
  fi
  echo "== installed $(command -v kestro); 'kestro --help' ended with status 2 and printed:"
  echo "$out"
fi
