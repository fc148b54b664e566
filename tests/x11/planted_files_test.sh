#!/usr/bin/env bash
# The real program on a real X server with a window manager, its tape folder planted with
# files that are no tapes: a link named like a tape that leads to a FIFO (whose open would
# wait for a writer for ever) and a link to an unfinished tape elsewhere (whose recovery
# would rewrite a file outside the folder). The window must appear within a second, no
# recovery question may come, the file the link leads to must stay as it was, and the
# program must close as usual.
# Usage: planted_files_test.sh PATH-TO-sumiplex
set -uo pipefail
app=$1
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
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
# As in real_window_test.sh: the leak check's tracer may crash at exit under X11.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
tapes="$XDG_DATA_HOME/Sumiplex/tapes"
mkdir -p "$tapes"

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

# Milliseconds from the program's launch until its main window is shown.
launch() {
  local start=$EPOCHREALTIME
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  main_window=$(timeout 20 xdotool search --sync --onlyvisible --name '^電卓$' | head -n 1)
  local end=$EPOCHREALTIME
  [ -n "$main_window" ] || { echo "FAIL the main window did not appear"; exit 1; }
  shown_ms=$(( (${end/./} - ${start/./}) / 1000 ))
}
close() {
  wmctrl -c '電卓'
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL the program did not close"
    exit 1
  fi
  local status=0
  wait "$app_pid" || status=$?
  check "exit status" 0 "$status"
}

# What an ordinary start takes here (a sanitizer build starts slower than a release one).
launch
baseline=$shown_ms
close
rm -f "$tapes"/*.tape

mkfifo "$work/fifo"
ln -s "$work/fifo" "$tapes/2026-12-05_080000.tape"
printf '#SUMIPLEX-TAPE 1 open      0000000000000000 0.1.0\r\n      0 +5= 5\r\n' >"$work/outside.tape"
cp "$work/outside.tape" "$work/outside.orig"
ln -s "$work/outside.tape" "$tapes/2026-12-06_080000.tape"

launch
echo "shown after ${shown_ms} ms (an ordinary start: ${baseline} ms)"
limit=$(( baseline > 500 ? baseline + 500 : 1000 ))
check "window shown within ${limit} ms" yes "$([ "$shown_ms" -le "$limit" ] && echo yes || echo no)"
sleep 1
# The recovery question would be a second window of the program's caption.
check "no question asked" 1 "$(xdotool search --onlyvisible --name '電卓' 2>/dev/null | wc -l)"
close
check "file behind the link unchanged" same "$(cmp -s "$work/outside.tape" "$work/outside.orig" && echo same || echo changed)"
check "links left in place" "2" "$(find "$tapes" -maxdepth 1 -type l | wc -l)"

[ "$failures" -eq 0 ] || { echo "app log:"; cat "$work/app.log"; exit 1; }
echo "all passed"
