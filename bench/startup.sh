#!/usr/bin/env bash
# Measures start-up to the first shown main window and anonymous resident memory two
# seconds later, for Sumiplex and for an empty Qt window, under Xvfb.
#   bench/startup.sh [RUNS]     (needs a release build: cmake --preset release && cmake --build --preset release)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
bin=build/release/bench
export XDG_CONFIG_HOME=$(mktemp -d)
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  echo '== empty Qt window'; $bin/startup_probe $runs $bin/empty_window
  echo '== sumiplex';        $bin/startup_probe $runs build/release/src/app/sumiplex
"
