#!/usr/bin/env bash
# Per-rename cost of kestro.exe under Wine against a bare MoveFileExW loop over the same kind of
# folder (bench/windows_rename_bench.cpp), at 2,000 and 20,000 files.
#   bash bench/windows_rename_bench.sh
# Environment: KESTRO_EXE (default build-windows/kestro.exe, made by scripts/test-windows.sh),
# SIZES (default "2000 20000"), RUNS (rounds per size, default 3; RUNS_<size> for one size, e.g.
# RUNS_20000=1), OPERATIONS (default
# "blank upper": `-R ~ _`, every blank to "_", and `-C upper`, a change of letter case alone),
# FOLDER_ROOT (where the folders are made, default $TMPDIR or /tmp: a disk, as users keep their
# files), COUNT_CALLS=1 (also count, with strace, the system calls of one round at the smallest
# size: the file-system work behind each rename).
# Each round makes a fresh folder for each program; the loop's own timer covers its renames alone,
# kestro.exe is timed as a whole process, less a run of it on an empty folder (start-up).
set -euo pipefail
export LC_ALL=C

SRC_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRO_EXE=${KESTRO_EXE:-$SRC_DIR/build-windows/kestro.exe}
SIZES=${SIZES:-2000 20000}
RUNS=${RUNS:-3}
OPERATIONS=${OPERATIONS:-blank upper}
FOLDER_ROOT=${FOLDER_ROOT:-${TMPDIR:-/tmp}}
COUNT_CALLS=${COUNT_CALLS:-0}

die() { echo "windows_rename_bench: $*" >&2; exit 1; }
[[ -f $KESTRO_EXE ]] || die "no kestro.exe at '$KESTRO_EXE' (bash scripts/test-windows.sh makes it)"
command -v x86_64-w64-mingw32-g++-posix >/dev/null || die "needs g++-mingw-w64-x86-64-posix"
command -v wine >/dev/null || die "needs wine"

WORK=$(mktemp -d "$FOLDER_ROOT/kestro-wine-bench.XXXXXX")
# shellcheck source=wine_bench_prefix.sh
source "$SRC_DIR/bench/wine_bench_prefix.sh"

x86_64-w64-mingw32-g++-posix -O2 -municode -static -o "$WORK/bench.exe" \
  "$SRC_DIR/bench/windows_rename_bench.cpp"
start_wine

# The Windows form of a Unix path (drive Z: is the root).
win_path() { echo "Z:${1//\//\\}"; }
now_us() { local t=$EPOCHREALTIME; echo "${t/./}"; }

# make_folder N: a fresh folder of N empty files "file 0000001.txt", made from the Unix side.
make_folder() {
  local dir
  dir=$(mktemp -d "$WORK/folder.XXXXXX")
  (cd "$dir" && seq -f 'file %07g.txt' 1 "$1" | xargs -d '\n' touch)
  echo "$dir"
}

# run_kestro DIR OPERATION: kestro.exe's wall time in microseconds, as a whole process.
run_kestro() {
  local switch=(-R '~' '_') t0 t1
  [[ $2 == upper ]] && switch=(-C upper)
  t0=$(now_us)
  wine "$KESTRO_EXE" "$(win_path "$1")" -F '*.*' "${switch[@]}" >"$WORK/kestro.log" 2>&1 ||
    { head -5 "$WORK/kestro.log" >&2; die "kestro.exe failed on $1"; }
  t1=$(now_us)
  echo $((t1 - t0))
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
    else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "kestro.exe: $KESTRO_EXE ($(wine --version))"
echo "machine:    $(nproc) cores, $(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1)"
echo "folders:    $FOLDER_ROOT ($(df -T "$FOLDER_ROOT" | awk 'NR == 2 { print $2 }'))"
echo "load:       $(cut -d' ' -f1-3 /proc/loadavg) (at start)"

# Start-up: kestro.exe on an empty folder (nothing to rename), the median of five.
empty=$(mktemp -d "$WORK/empty.XXXXXX")
for _ in 1 2 3 4 5; do run_kestro "$empty" blank; done | median >"$WORK/startup"
startup_us=$(cat "$WORK/startup")
printf 'start-up:   %.0f ms (kestro.exe on an empty folder)\n\n' "$(echo "$startup_us / 1000" | bc -l)"

printf '| %-9s | %6s | %-20s | %-28s | %5s |\n' operation files "bare loop ms/rename" \
  "kestro.exe ms/rename" ratio
printf '|-----------|--------|----------------------|------------------------------|-------|\n'
for operation in $OPERATIONS; do
  for size in $SIZES; do
    : >"$WORK/loop.ms"
    : >"$WORK/kestro.ms"
    runs_var=RUNS_$size
    runs=${!runs_var:-$RUNS}
    for ((round = 1; round <= runs; ++round)); do
      dir=$(make_folder "$size")
      read -r count loop_ms < <(wine "$WORK/bench.exe" loop "$(win_path "$dir")" "$operation" |
        tr -d '\r')
      ((count == size)) || die "the loop found $count files of $size"
      wine "$WORK/bench.exe" check "$(win_path "$dir")" "$size" "$operation" ||
        die "the loop left a wrong folder"
      rm -rf -- "$dir"
      echo "$loop_ms / $size" | bc -l >>"$WORK/loop.ms"

      dir=$(make_folder "$size")
      kestro_us=$(run_kestro "$dir" "$operation")
      wine "$WORK/bench.exe" check "$(win_path "$dir")" "$size" "$operation" ||
        die "kestro.exe left a wrong folder"
      rm -rf -- "$dir"
      echo "($kestro_us - $startup_us) / 1000 / $size" | bc -l >>"$WORK/kestro.ms"
    done
    loop=$(median <"$WORK/loop.ms")
    kestro=$(median <"$WORK/kestro.ms")
    printf '| %-9s | %6d | %20.3f | %28.3f | %5.2f |\n' "$operation" "$size" "$loop" "$kestro" \
      "$(echo "$kestro / $loop" | bc -l)"
  done
done
echo
echo "medians of the rounds; load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"

if [[ $COUNT_CALLS == 1 ]]; then
  command -v strace >/dev/null || die "COUNT_CALLS=1 needs strace"
  size=$(tr ' ' '\n' <<<"$SIZES" | sort -g | head -1)
  echo
  echo "System calls per rename at $size files (strace -f -c of the whole process, less the same"
  echo "program on an empty folder):"
  count_calls() {  # count_calls OUT COMMAND...: "calls syscall" lines of the file-system calls
    strace -f -c -o "$1.raw" "${@:2}" >/dev/null 2>&1 || true
    awk '$NF ~ /^(newfstatat|statx|lstat|stat|openat|open|close|getdents64|rename|renameat|renameat2|link|linkat|unlink|unlinkat|readlink|readlinkat|fstat|write|pwrite64|fsync|fdatasync)$/ {
           print $4, $NF }' "$1.raw" | sort -k2 >"$1"
  }
  for operation in $OPERATIONS; do
    dir=$(make_folder "$size")
    count_calls "$WORK/loop-$operation" wine "$WORK/bench.exe" loop "$(win_path "$dir")" "$operation"
    rm -rf -- "$dir"
    count_calls "$WORK/loop-empty" wine "$WORK/bench.exe" loop "$(win_path "$empty")" "$operation"
    dir=$(make_folder "$size")
    switch=(-R '~' '_')
    [[ $operation == upper ]] && switch=(-C upper)
    count_calls "$WORK/kestro-$operation" wine "$KESTRO_EXE" "$(win_path "$dir")" -F '*.*' "${switch[@]}"
    rm -rf -- "$dir"
    count_calls "$WORK/kestro-empty" wine "$KESTRO_EXE" "$(win_path "$empty")" -F '*.*' "${switch[@]}"
    echo "-- $operation"
    printf '%-12s %10s %10s\n' call loop kestro.exe
    join -1 2 -2 2 -a 1 -a 2 -e 0 -o 0,1.1,2.1 \
      <(join -1 2 -2 2 -a 1 -e 0 -o 0,1.1,2.1 "$WORK/loop-$operation" "$WORK/loop-empty" |
        awk '{ print $2 - $3, $1 }' | sort -k2) \
      <(join -1 2 -2 2 -a 1 -e 0 -o 0,1.1,2.1 "$WORK/kestro-$operation" "$WORK/kestro-empty" |
        awk '{ print $2 - $3, $1 }' | sort -k2) |
      awk -v n="$size" '{ printf "%-12s %10.2f %10.2f\n", $1, $2 / n, $3 / n }'
  done
fi
