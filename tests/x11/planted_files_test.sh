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
. "$(dirname "$0")/x_session.sh"
mkdir -p "$tapes"

start_openbox

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
