#!/usr/bin/env bash
# Builds the Windows installer of Kestrovane with NSIS: the zip's folder (build-windows-zip.sh
# builds and checks it) packed into build-windows-zip/kestrovane-<version>-win64-setup.exe,
# which installs for the current user without administrator rights.
#   bash scripts/build-windows-installer.sh
#   BUILD_DIR=/tmp/bz bash scripts/build-windows-installer.sh
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
if ! dpkg-query -W -f='${Status}' nsis 2>/dev/null | grep -q "install ok installed"; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends nsis
fi

BUILD_DIR=${BUILD_DIR:-build-windows-zip}
export BUILD_DIR
bash scripts/build-windows-zip.sh >/dev/null
version=$(sed -n 's/^project(Kestrovane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage="$(cd "$BUILD_DIR" && pwd)/kestrovane-${version}-win64"
installer="$(cd "$BUILD_DIR" && pwd)/kestrovane-${version}-win64-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$PWD/packaging/windows/kestrovane.ico" \
  -DOUTFILE="$installer" packaging/windows/kestrovane.nsi
echo "build-windows-installer: $installer"
