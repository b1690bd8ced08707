#!/usr/bin/env bash
# Installs what the build needs, builds everything, and runs every test: once in the normal build
# (window tests on the offscreen platform), once more for the Qt-free layers under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# A FAT volume mounted through FUSE, where the machine allows it: a file system without an atomic
# no-replace rename and without hard links, for the tests of the rename that claims its new name
# first. Where it cannot be mounted, those tests say so and are skipped.
KESTRO_FAT_DIR=""
fat_work=$(mktemp -d)
trap 'umount "$fat_work/m" 2>/dev/null || fusermount -u "$fat_work/m" 2>/dev/null; rm -rf "$fat_work"' EXIT
if [ -c /dev/fuse ] && command -v fusefat >/dev/null && command -v mkfs.vfat >/dev/null; then
  truncate -s 64M "$fat_work/fat.img" && mkfs.vfat -F 32 "$fat_work/fat.img" >/dev/null &&
    mkdir "$fat_work/m" && fusefat -o rw+ "$fat_work/fat.img" "$fat_work/m" >/dev/null 2>&1 &&
    KESTRO_FAT_DIR="$fat_work/m"
fi
export KESTRO_FAT_DIR
echo "FAT folder for the tests: ${KESTRO_FAT_DIR:-none}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
bash scripts/test-accessibility.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DKESTRO_WITH_QT=OFF -DKESTRO_SANITIZE=ON -DKESTRO_BUILD_BENCH=OFF
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
