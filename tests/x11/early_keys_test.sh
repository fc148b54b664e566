#!/usr/bin/env bash
# Keys typed the moment the real program's window appears, on a real X server with a window
# manager: every one reaches the input line, while the work left for after the first frame
# is still being done. Checked on several starts, since how the keys and that work interleave
# differs from one start to the next.
# Usage: early_keys_test.sh PATH-TO-sumiplex
set -uo pipefail
app=$1
. "$(dirname "$0")/x_session.sh"

# The tape lines of a journal: its header, time marks and step records left out.
tape_body() { tail -n +2 "$1" | tr -d '\r' | grep -v $'^[\x1e\x1f]'; }
focused_text() {
  printf '' | xclip -selection clipboard >/dev/null 2>&1
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  timeout 5 xclip -selection clipboard -o 2>/dev/null
}

start_openbox
for round in 1 2 3; do
  echo "-- start $round"
  rm -rf "$tapes"
  "$app" >>"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  # Polled without a pause, so the keys go out as soon as the window has the keyboard: a
  # window that is mapped but not yet focused by the window manager gets no keys at all.
  window=
  deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ]; do
    window=$(xdotool search --onlyvisible --name '^電卓$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
  done
  if [ -z "$window" ] || [ "$(xdotool getwindowfocus 2>/dev/null)" != "$window" ]; then
    echo "FAIL the main window did not appear with the keyboard"
    failures=$((failures + 1))
    kill "$app_pid" 2>/dev/null
    continue
  fi
  xdotool type --delay 0 '1500+250+7'
  sleep 1
  files=("$tapes"/*.tape)
  check "the tape holds both lines" $'      0 +1500= 1,500\n      1,500 +250= 1,750' \
    "$(tape_body "${files[0]}")"
  check "the last key is in the input line" "7" "$(focused_text)"
  kill -TERM "$app_pid"
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$app_pid" 2>/dev/null
done

echo "$failures failure(s)"
exit $((failures > 0))
