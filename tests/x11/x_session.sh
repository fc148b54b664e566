# Sourced by the real-window tests: a private work folder, a real X server (Xvfb) on a
# display of its own, the program's settings and data kept in that folder, and `check`.
# Defines: work, pids (killed at exit), failures, check NAME EXPECTED ACTUAL, conf, tapes.
# A test that leaves more behind sets `extra_cleanup` to a command before it exits.
work=$(mktemp -d)
pids=()
extra_cleanup=true
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  eval "$extra_cleanup"
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() { # NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
export QT_QPA_PLATFORM=xcb
# In a sanitizer build the leak check at exit stops every thread with a tracer, and with the
# X11 connection's reader thread still winding down that tracer now and then crashes
# ("Tracer caught signal 11"), failing a run that has no fault. Leaks are looked for by the
# offscreen window tests; here memory faults and undefined behaviour still end the program
# with a failure status.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
conf="$XDG_CONFIG_HOME/Sumiplex/Sumiplex.conf"
tapes="$XDG_DATA_HOME/Sumiplex/tapes"
