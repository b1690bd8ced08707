#!/usr/bin/env bash
# Makes packaging/windows/kestrovane.ico, the icon of kestro.exe, from packaging/kestrovane.png
# with ImageMagick: the sizes Explorer, the task bar and the window's title bar ask for. The .ico
# is kept in the repository, so a build needs no ImageMagick; run this again after changing the
# picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-windows-icon: needs ImageMagick's convert" >&2; exit 1; }
convert packaging/kestrovane.png -background none \
  -define icon:auto-resize=256,64,48,32,24,16 packaging/windows/kestrovane.ico
echo "make-windows-icon: wrote packaging/windows/kestrovane.ico"
