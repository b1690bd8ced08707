#!/usr/bin/env bash
# The whole kestro process, timed from the outside.
#
# What it measures: one run of `kestro DIR -F '*.*' -R '~' '_'` (or OPERATION; every blank in a
# file name replaced by "_"), headless, on a fresh tmpfs folder (/dev/shm) of N empty files named
# "file 0000123.txt": start-up, listing, the batch, the journal, exit. Beside it, on folders made
# the same way:
#   loop    a bare C program (cc -O2, built here): opendir/readdir the folder into an array, then
#           renameat2(dirfd, name, dirfd, new name, RENAME_NOREPLACE) for every regular file whose
#           name holds a blank, blanks replaced by "_" - the system's own cost of the same batch.
#           (The names are read before the first rename, as kestro does: POSIX leaves open whether
#           readdir returns an entry renamed meanwhile.)
#   mmv     `mmv '* *' '#1_#2'` in the folder, where mmv is installed.
#   rename  the Perl rename, `find . -maxdepth 1 -type f -name '* *' -print0 | xargs -0 rename
#           's/ /_/'` in the folder (xargs, so 1,000,000 names do not hit the argument limit; the
#           same form at every size), where it is installed.
#   true    /bin/true under the same timing, no folder: the cost of starting any process here,
#           which is most of the wall time at small sizes.
# Tools that are missing are skipped and named; nothing is installed.
#
# Each round makes a fresh folder per tool, runs the tool under /usr/bin/time -f '%e %U %S %M'
# (wall, user, sys seconds, peak RSS KB; the wall time is also read from the shell's microsecond
# clock around it, since %e has 10 ms steps), checks the result (as many files as before, no name
# with a blank), deletes the folder and pauses. Rounds are interleaved (round 1: kestro, loop, mmv,
# rename, true; round 2: ...), so a change in the machine's load falls on every tool alike. Each
# kestro run gets empty XDG_CONFIG_HOME and XDG_STATE_HOME folders of its own under $TMPDIR (the
# journal is written there, on disk, as for a user), removed after the run.
#
# Also: `kestro --help` headless, median wall time of 21 runs, and the number of lines of
# `ldd $KESTRO` (the shared libraries it loads).
#
# Prints one table per size: medians (not means) per tool, and the ratios kestro/loop (wall and
# user) and kestro/mmv (wall), each the median of the ratios within a round. Every single run is
# also written to $RESULTS (a tab-separated file).
#
# Run from the top of the source tree:
#   bash bench/cli_bench.sh                           # builds build-rel/kestro if missing
#   SIZES="100000 50" RUNS=3 bash bench/cli_bench.sh
#   KESTRO=/path/to/kestro bash bench/cli_bench.sh
# Settings (environment): OPERATION (kestro's switch and its words, default "-R ~ _"; e.g.
# "-RX \s _"), KESTRO (default build-rel/kestro), SIZES (default "1000000 100000 50"),
# RUNS (default 5), RUNS_<size> for one size (e.g. RUNS_1000000=3), PAUSE (seconds after each
# deletion, default 1), RESULTS (default a file under $TMPDIR), HELP_RUNS (default 21),
# COMPARE_MAX (mmv and rename run only on folders of at most this many files, default 100000:
# at 1,000,000 files a round of the Perl rename alone takes minutes here).
# Needs cc, /usr/bin/time, about 1 GB of /dev/shm for 1,000,000 files.
set -euo pipefail
export LC_ALL=C  # a "." in $EPOCHREALTIME and in printf's numbers

SRC_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SIZES=${SIZES:-1000000 100000 50}
RUNS=${RUNS:-5}
PAUSE=${PAUSE:-1}
HELP_RUNS=${HELP_RUNS:-21}
COMPARE_MAX=${COMPARE_MAX:-100000}
# The operation kestro runs, as words: by default the literal Replace; OPERATION='-RX \s _' times
# the same batch by a regular expression.
read -r -a OPERATION <<<"${OPERATION:--R ~ _}"
TMP_ROOT=${TMPDIR:-/tmp}

die() { echo "cli_bench: $*" >&2; exit 1; }

# --- kestro ---------------------------------------------------------------------------------
if [[ -z ${KESTRO:-} ]]; then
  KESTRO=$SRC_DIR/build-rel/kestro
  if [[ ! -x $KESTRO ]]; then
    echo "cli_bench: building a Release kestro in $SRC_DIR/build-rel" >&2
    cmake -S "$SRC_DIR" -B "$SRC_DIR/build-rel" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DKESTRO_BUILD_TESTS=OFF >&2
    cmake --build "$SRC_DIR/build-rel" --target kestro >&2
  fi
fi
[[ -x $KESTRO ]] || die "no kestro executable at '$KESTRO'"
KESTRO=$(cd "$(dirname "$KESTRO")" && pwd)/$(basename "$KESTRO")
[[ -x /usr/bin/time ]] || die "needs /usr/bin/time (Debian package: time)"
command -v cc >/dev/null || die "needs a C compiler (cc)"

WORK=$(mktemp -d "$TMP_ROOT/kestro-cli-bench.XXXXXX")
CURRENT_DIR=
cleanup() {
  [[ -n $CURRENT_DIR && -d $CURRENT_DIR ]] && rm -rf -- "$CURRENT_DIR"
  rm -rf -- "$WORK"
}
trap cleanup EXIT
RESULTS=${RESULTS:-$TMP_ROOT/kestro-cli-bench-$(date +%Y%m%d-%H%M%S).tsv}

# --- C helpers ------------------------------------------------------------------------------
# files: "create DIR N" makes N empty files "file %07d.txt"; "check DIR N" fails unless DIR holds
# exactly N regular files and none has a blank in its name.
cat >"$WORK/files.c" <<'EOF'
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc != 4) { fprintf(stderr, "usage: files create|check DIR N\n"); return 2; }
  long n = atol(argv[3]);
  int dfd = open(argv[2], O_RDONLY | O_DIRECTORY);
  if (dfd < 0) { perror(argv[2]); return 1; }
  if (strcmp(argv[1], "create") == 0) {
    char name[64];
    for (long i = 0; i < n; ++i) {
      snprintf(name, sizeof name, "file %07ld.txt", i);
      int fd = openat(dfd, name, O_WRONLY | O_CREAT | O_EXCL, 0644);
      if (fd < 0) { perror(name); return 1; }
      close(fd);
    }
    return 0;
  }
  DIR *d = fdopendir(dfd);
  if (!d) { perror(argv[2]); return 1; }
  long files = 0, blanks = 0;
  struct dirent *e;
  while ((e = readdir(d)) != NULL) {
    if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0) continue;
    ++files;
    if (strchr(e->d_name, ' ')) {
      if (blanks++ == 0) fprintf(stderr, "still with a blank: '%s'\n", e->d_name);
    }
  }
  closedir(d);
  if (files != n || blanks != 0) {
    fprintf(stderr, "%ld entries (expected %ld), %ld with a blank\n", files, n, blanks);
    return 1;
  }
  return 0;
}
EOF
# loop: the bare reference batch.
cat >"$WORK/loop.c" <<'EOF'
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc != 2) { fprintf(stderr, "usage: loop DIR\n"); return 2; }
  DIR *d = opendir(argv[1]);
  if (!d) { perror(argv[1]); return 1; }
  int dfd = dirfd(d);
  size_t count = 0, cap = 1024;
  char **names = malloc(cap * sizeof *names);
  struct dirent *e;
  while ((e = readdir(d)) != NULL) {
    int regular = e->d_type == DT_REG;
    if (e->d_type == DT_UNKNOWN) {
      struct stat st;
      regular = fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
    }
    if (!regular || !strchr(e->d_name, ' ')) continue;
    if (count == cap) names = realloc(names, (cap *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  int failed = 0;
  char to[NAME_MAX + 1];
  for (size_t i = 0; i < count; ++i) {
    size_t len = strlen(names[i]);
    memcpy(to, names[i], len + 1);
    for (size_t k = 0; k < len; ++k)
      if (to[k] == ' ') to[k] = '_';
    if (renameat2(dfd, names[i], dfd, to, RENAME_NOREPLACE) != 0) {
      perror(names[i]);
      failed = 1;
    }
    free(names[i]);
  }
  free(names);
  closedir(d);
  return failed;
}
EOF
cc -O2 -o "$WORK/files" "$WORK/files.c"
cc -O2 -o "$WORK/loop" "$WORK/loop.c"

# --- which tools ------------------------------------------------------------------------------
TOOLS=(kestro loop)
SKIPPED=()
if command -v mmv >/dev/null; then TOOLS+=(mmv); else SKIPPED+=("mmv (not installed)"); fi
PERL_RENAME=
for candidate in rename file-rename prename; do
  if command -v "$candidate" >/dev/null &&
     "$candidate" --version 2>&1 | grep -qiE 'perl|File::Rename'; then
    PERL_RENAME=$(command -v "$candidate")
    break
  fi
done
if [[ -n $PERL_RENAME ]]; then TOOLS+=(rename); else SKIPPED+=("rename (no Perl rename installed)"); fi
TOOLS+=(true)

# run_tool TOOL DIR: runs TOOL on DIR under /usr/bin/time; prints "wall_us e U S M".
run_tool() {
  local tool=$1 dir=$2 tfile=$WORK/time.out xdg= status=0 t0 t1
  case $tool in
    kestro)
      # A subshell sets its environment, as the others get theirs: no extra program (env) started.
      xdg=$(mktemp -d "$TMP_ROOT/kestro-cli-bench-xdg.XXXXXX")
      t0=$EPOCHREALTIME
      (unset DISPLAY WAYLAND_DISPLAY; export XDG_CONFIG_HOME="$xdg" XDG_STATE_HOME="$xdg"
       exec /usr/bin/time -o "$tfile" -f '%e %U %S %M' "$KESTRO" "$dir" -F '*.*' "${OPERATION[@]}") \
        >"$WORK/tool.log" 2>&1 || status=$?
      t1=$EPOCHREALTIME
      rm -rf -- "$xdg" ;;
    loop)
      t0=$EPOCHREALTIME
      /usr/bin/time -o "$tfile" -f '%e %U %S %M' "$WORK/loop" "$dir" >"$WORK/tool.log" 2>&1 ||
        status=$?
      t1=$EPOCHREALTIME ;;
    mmv)
      t0=$EPOCHREALTIME
      (cd "$dir" && /usr/bin/time -o "$tfile" -f '%e %U %S %M' mmv '* *' '#1_#2') \
        >"$WORK/tool.log" 2>&1 || status=$?
      t1=$EPOCHREALTIME ;;
    true)  # no folder: what starting a process under the same timing costs on its own
      t0=$EPOCHREALTIME
      /usr/bin/time -o "$tfile" -f '%e %U %S %M' /bin/true >"$WORK/tool.log" 2>&1 || status=$?
      t1=$EPOCHREALTIME ;;
    rename)
      t0=$EPOCHREALTIME
      (cd "$dir" && PERL_RENAME=$PERL_RENAME /usr/bin/time -o "$tfile" -f '%e %U %S %M' \
        sh -c 'find . -maxdepth 1 -type f -name "* *" -print0 | xargs -0 "$PERL_RENAME" "s/ /_/"') \
        >"$WORK/tool.log" 2>&1 || status=$?
      t1=$EPOCHREALTIME ;;
  esac
  if ((status != 0)); then
    head -5 "$WORK/tool.log" >&2
    die "$tool exited with status $status on $dir"
  fi
  local us=$(( (${t1/./} - ${t0/./}) ))
  # The last line: /usr/bin/time puts "Command exited with non-zero status" lines before it.
  echo "$us $(tail -n 1 "$tfile")"
}

# median: reads numbers (one a line), prints the median (mean of the middle two for an even count).
median() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "kestro:   $KESTRO ${OPERATION[*]}"
echo "machine:  $(nproc) cores, $(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1), kernel $(uname -r)"
echo "load:     $(cat /proc/loadavg) (at start)"
echo "tools:    ${TOOLS[*]}"
for s in "${SKIPPED[@]+"${SKIPPED[@]}"}"; do echo "skipped:  $s"; done
echo "results:  $RESULTS"
echo

# --- start-up alone ---------------------------------------------------------------------------
help_xdg=$(mktemp -d "$TMP_ROOT/kestro-cli-bench-xdg.XXXXXX")
: >"$WORK/help.us"
for ((i = 0; i < HELP_RUNS; ++i)); do
  t0=$EPOCHREALTIME
  status=0
  (unset DISPLAY WAYLAND_DISPLAY; export XDG_CONFIG_HOME="$help_xdg" XDG_STATE_HOME="$help_xdg"
   exec "$KESTRO" --help) >/dev/null 2>&1 || status=$?
  t1=$EPOCHREALTIME
  # The help exits with status 2 (the command line asked for help).
  ((status == 0 || status == 2)) || die "kestro --help exited with status $status"
  echo $(( ${t1/./} - ${t0/./} )) >>"$WORK/help.us"
done
rm -rf -- "$help_xdg"
help_ms=$(median <"$WORK/help.us" | awk '{ printf "%.1f", $1 / 1000 }')
echo "kestro --help (headless): median ${help_ms} ms wall of $HELP_RUNS runs"
echo "ldd \$KESTRO | wc -l: $(ldd "$KESTRO" | wc -l)"
echo

# --- the batches ------------------------------------------------------------------------------
printf 'size\tround\ttool\twall_us\te\tU\tS\tM\tloadavg1\n' >"$RESULTS"
for size in $SIZES; do
  var=RUNS_$size
  runs=${!var:-$RUNS}
  for ((round = 1; round <= runs; ++round)); do
    for tool in "${TOOLS[@]}"; do
      if [[ ($tool == mmv || $tool == rename) && $size -gt $COMPARE_MAX ]]; then continue; fi
      if [[ $tool == true ]]; then
        run_tool true "" >"$WORK/run.out"
        read -r wall_us e u s m <"$WORK/run.out"
      else
        CURRENT_DIR=$(mktemp -d /dev/shm/kestro-bench-XXXX)
        "$WORK/files" create "$CURRENT_DIR" "$size"
        run_tool "$tool" "$CURRENT_DIR" >"$WORK/run.out"
        read -r wall_us e u s m <"$WORK/run.out"
        "$WORK/files" check "$CURRENT_DIR" "$size" || die "$tool left a wrong folder ($size files)"
        rm -rf -- "$CURRENT_DIR"
        CURRENT_DIR=
      fi
      printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$size" "$round" "$tool" "$wall_us" "$e" "$u" \
        "$s" "$m" "$(cut -d' ' -f1 /proc/loadavg)" >>"$RESULTS"
      sleep "$PAUSE"
    done
  done

  echo "== $size files, $runs rounds, load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
  printf '| %-7s | %11s | %14s | %7s | %7s | %13s |\n' tool "wall ms" "wall s (time)" "user s" \
    "sys s" "peak RSS KB"
  printf '|---------|-------------|----------------|---------|---------|---------------|\n'
  for tool in "${TOOLS[@]}"; do
    if [[ ($tool == mmv || $tool == rename) && $size -gt $COMPARE_MAX ]]; then continue; fi
    col() { awk -F'\t' -v z="$size" -v t="$tool" -v c="$1" '$1 == z && $3 == t { print $c }' \
      "$RESULTS" | median; }
    printf '| %-7s | %11.1f | %14.2f | %7.2f | %7.2f | %13.0f |\n' "$tool" \
      "$(col 4 | awk '{ print $1 / 1000 }')" "$(col 5)" "$(col 6)" "$(col 7)" "$(col 8)"
  done
  # Ratios within each round: their median, and their range over the rounds.
  ratio() {  # ratio COLUMN OTHER_TOOL
    awk -F'\t' -v z="$size" -v c="$1" -v o="$2" '
      $1 == z && $3 == "kestro" { k[$2] = $c }
      $1 == z && $3 == o { r[$2] = $c }
      END { for (i in k) if ((i in r) && r[i] > 0) print k[i] / r[i] }' "$RESULTS" >"$WORK/ratios"
    if [[ ! -s $WORK/ratios ]]; then echo "n/a"; return; fi
    printf '%.2f (%s)' "$(median <"$WORK/ratios")" \
      "$(sort -g "$WORK/ratios" | awk 'NR == 1 { lo = $1 } { hi = $1 } END {
        printf "%.2f to %.2f", lo, hi }')"
  }
  echo "kestro/loop: wall $(ratio 4 loop), user $(ratio 6 loop)   (median of the rounds' ratios, range)"
  if [[ " ${TOOLS[*]} " == *" mmv "* && $size -le $COMPARE_MAX ]]; then
    echo "kestro/mmv:  wall $(ratio 4 mmv)"
  fi
  echo
done
echo "load average at the end: $(cat /proc/loadavg)"
