#!/usr/bin/env bash
# Measures start-up to the first shown main window and anonymous resident memory two
# seconds later under Xvfb, in one pass with the programs interleaved: the empty Qt window,
# the smallest Japanese window (menus, an input line, CJK labels) and Sumiplex. Prints each
# median and Sumiplex's ratio to each of the other two.
#   bench/startup.sh [RUNS] [TAPES]   (needs a release build: cmake --preset release && cmake --build --preset release)
# TAPES earlier tapes (default 0) lie in the private tape folder, one a day back from today.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
bin=build/release/bench
tapes=${2:-0}
export XDG_CONFIG_HOME=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"' EXIT
mkdir -p "$XDG_DATA_HOME/Sumiplex/tapes"
line=$'\x1f'"2026-01-01 09:00:00"$'\r\n      0 +1,500= 1,500\r\n      1,500 +250= 1,750\r\n'
for ((i = 1; i <= tapes; i++)); do
  name=$(date -d "-$i days" +%Y-%m-%d_090000)
  printf '#SUMIPLEX-TAPE 1 complete  %016d 0.1.0\r\n%s' "${#line}" "$line" \
    > "$XDG_DATA_HOME/Sumiplex/tapes/$name.tape"
done
xvfb-run -a -s "-screen 0 1280x800x24" \
  "$bin/startup_probe" "$runs" "$bin/empty_window" -- "$bin/japanese_window" \
  -- build/release/src/app/sumiplex
