#!/usr/bin/env bash
# Renaming photos by the date they were taken, timed from the outside.
#
# What it measures, on fresh tmpfs folders (/dev/shm) of N copies of one small JPEG (made here with
# ImageMagick, about 20 KB, its Exif DateTimeOriginal set with the exiv2 tool; each copy gets a
# date of its own, a second apart, written into the same bytes by Python), named "IMG_0000123.jpg":
#   kestro    `kestro DIR -F '*.jpg' -L '$TAKEN$EXT'`, headless, journal and settings under $TMPDIR.
#   loop      a bare C program (cc -O2, built here): reads the names, then per file open, read its
#             first 64 KB, close, and renameat2(RENAME_NOREPLACE) to a new name: the system's own
#             cost of a batch that looks into every file once.
#   exiftool  `exiftool -q '-FileName<DateTimeOriginal' -d '%Y%m%d_%H%M%S%%-c.%%e' DIR`, where
#             installed (Debian: libimage-exiftool-perl).
# Each round makes a fresh folder per tool, times it with the shell's microsecond clock, checks
# that every file was renamed (none left named IMG_*), and removes the folder. Rounds are
# interleaved, so a change of the machine's load falls on every tool alike. Prints the median wall
# time per tool and size, and kestro/loop and exiftool/kestro.
#
# Run from the top of the source tree, after building build/kestro:
#   bash bench/taken_bench.sh                      # SIZES="2000" RUNS=5
#   SIZES="2000 100000" RUNS=1 bash bench/taken_bench.sh
#   SKIP=exiftool SIZES=100000 RUNS=1 bash bench/taken_bench.sh   # leaves a tool out
set -euo pipefail
KESTRO=${KESTRO:-$PWD/build/kestro}
SIZES=${SIZES:-2000}
RUNS=${RUNS:-5}
WORK=$(mktemp -d /dev/shm/kestro-taken.XXXXXX)
trap 'rm -rf "$WORK"' EXIT

convert -size 96x96 plasma:fractal -quality 92 "$WORK/seed.jpg"
exiv2 -M"set Exif.Photo.DateTimeOriginal 2024:05:01 09:08:07" "$WORK/seed.jpg"

cat > "$WORK/loop.c" <<'C'
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
int main(int argc, char** argv) {
  DIR* dir = opendir(argv[1]);
  int fd = dirfd(dir);
  size_t n = 0, cap = 1024;
  char** names = malloc(cap * sizeof *names);
  for (struct dirent* e; (e = readdir(dir)) != NULL;) {
    if (e->d_name[0] == '.') continue;
    if (n == cap) names = realloc(names, (cap *= 2) * sizeof *names);
    names[n++] = strdup(e->d_name);
  }
  static char buffer[65536];
  char target[512];
  for (size_t i = 0; i < n; ++i) {
    int file = openat(fd, names[i], O_RDONLY | O_CLOEXEC);
    if (file < 0 || read(file, buffer, sizeof buffer) < 0) return 1;
    close(file);
    snprintf(target, sizeof target, "r_%s", names[i]);
    if (renameat2(fd, names[i], fd, target, RENAME_NOREPLACE) != 0) return 1;
  }
  return 0;
}
C
cc -O2 -o "$WORK/loop" "$WORK/loop.c"

make_folder() {  # make_folder DIR N
  python3 - "$WORK/seed.jpg" "$1" "$2" <<'PY'
import datetime, os, sys
seed = open(sys.argv[1], "rb").read()
at = seed.index(b"2024:05:01 09:08:07")
os.makedirs(sys.argv[2])
start = datetime.datetime(2024, 5, 1, 9, 8, 7)
for i in range(int(sys.argv[3])):
    date = (start + datetime.timedelta(seconds=i)).strftime("%Y:%m:%d %H:%M:%S").encode()
    with open(os.path.join(sys.argv[2], "IMG_%07d.jpg" % i), "wb") as f:
        f.write(seed[:at] + date + seed[at + len(date):])
PY
}

run_tool() {  # run_tool TOOL DIR -> prints seconds
  local start end
  start=$(date +%s.%N)
  case $1 in
    kestro)
      mkdir -p "$WORK/home"
      XDG_CONFIG_HOME=$WORK/home XDG_STATE_HOME=$WORK/home env -u DISPLAY -u WAYLAND_DISPLAY \
        "$KESTRO" "$2" -F '*.jpg' -L '$TAKEN$EXT' ;;
    loop) "$WORK/loop" "$2" ;;
    exiftool) exiftool -q '-FileName<DateTimeOriginal' -d '%Y%m%d_%H%M%S%%-c.%%e' "$2" ;;
  esac
  end=$(date +%s.%N)
  if ls "$2" | grep -q '^IMG_'; then echo "$1 left files unrenamed in $2" >&2; exit 1; fi
  echo "$end - $start" | bc
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

tools="kestro loop"
if ! command -v exiftool >/dev/null; then
  echo "exiftool: not installed, skipped"
elif [[ ${SKIP:-} != *exiftool* ]]; then
  tools="$tools exiftool"
fi
for size in $SIZES; do
  declare -A times=()
  for ((round = 1; round <= RUNS; ++round)); do
    for tool in $tools; do
      make_folder "$WORK/run-$tool" "$size"
      times[$tool]+="$(run_tool "$tool" "$WORK/run-$tool") "
      rm -rf "$WORK/run-$tool" "$WORK/home"
      sleep 1
    done
  done
  printf '\n%s photos, median of %s runs (wall seconds)\n' "$size" "$RUNS"
  for tool in $tools; do
    m=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | median)
    printf '  %-9s %8.3f\n' "$tool" "$m"
    eval "median_$tool=$m"
  done
  printf '  kestro/loop      %6.2f\n' "$(echo "$median_kestro / $median_loop" | bc -l)"
  if [[ $tools == *exiftool* ]]; then
    printf '  exiftool/kestro  %6.1f\n' "$(echo "$median_exiftool / $median_kestro" | bc -l)"
  fi
  unset times
done
