#!/usr/bin/env bash
# The Win32 window's figures under Wine on a folder of many files (bench/windows_window_bench.cpp):
# listing, filling List2, Select All, and the outcome preview.
#   bash bench/windows_window_bench.sh
# Environment: BENCH_EXE (default build-windows/windows_window_bench.exe, made by
# scripts/test-windows.sh), FILES (default 100000), ROUNDS (default 3), FOLDER_ROOT (default
# $TMPDIR or /tmp).
set -euo pipefail
export LC_ALL=C

SRC_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH_EXE=${BENCH_EXE:-$SRC_DIR/build-windows/windows_window_bench.exe}
FILES=${FILES:-100000}
ROUNDS=${ROUNDS:-3}
FOLDER_ROOT=${FOLDER_ROOT:-${TMPDIR:-/tmp}}

[[ -f $BENCH_EXE ]] || { echo "windows_window_bench: no '$BENCH_EXE'" >&2; exit 1; }
WORK=$(mktemp -d "$FOLDER_ROOT/kestro-wine-window-bench.XXXXXX")
# shellcheck source=wine_bench_prefix.sh
source "$SRC_DIR/bench/wine_bench_prefix.sh"
start_wine
# No display: Wine's null graphics driver still runs the window and its controls.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null

mkdir "$WORK/folder"
(cd "$WORK/folder" && seq -f 'photo %06g.jpg' 1 "$FILES" | shuf | xargs -d '\n' touch)
echo "$(wine --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) at start"
wine "$BENCH_EXE" "Z:${WORK//\//\\}\\folder" "$ROUNDS" | tr -d '\r'
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
