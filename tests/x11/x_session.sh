# Sourced by the real-window tests: a private work folder, a real X server (Xvfb) on a
# display of its own, the program's settings and data kept in that folder, and `check`.
# Defines: work, pids (killed at exit), failures, check NAME EXPECTED ACTUAL, conf, tapes;
# start_openbox (a window manager, waited for); start_app (the program at $app, its main
# window found and given the keyboard: app_pid, main_window).
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

start_openbox() {
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}

app_pid=
main_window=
start_app() {
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  main_window=$(timeout 20 xdotool search --sync --onlyvisible --name '^電卓$' | head -n 1)
  [ -n "$main_window" ] || { echo "the main window did not appear"; exit 1; }
  timeout 5 xdotool windowactivate --sync "$main_window" 2>/dev/null ||
    timeout 5 xdotool windowfocus --sync "$main_window"
  sleep 0.5
}
