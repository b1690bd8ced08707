#!/usr/bin/env bash
# Installs what the build needs, builds kestro, and starts it with the given arguments (none: the
# main window).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target kestro
exec ./build/kestro "$@"
