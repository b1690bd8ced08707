#!/usr/bin/env bash
# Installs what the build needs, builds everything, and runs every test: once in the normal build
# (window tests on the offscreen platform), once more for the Qt-free layers under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKESTRO_WITH_QT=OFF -DKESTRO_SANITIZE=ON -DKESTRO_BUILD_BENCH=OFF
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
