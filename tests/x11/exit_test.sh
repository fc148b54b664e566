#!/usr/bin/env bash
# The real program's end on a real X server with a window manager, keys typed with xdotool:
#   1. SIGTERM while typing, with a modal dialog open: the program ends at once as a close
#      does; the tape is complete and the settings saved, and the next start asks nothing.
#   2. A full disk (a small tmpfs, mounted as root): the journal's notice leaves every key to
#      the input line; closing while still full tells how many lines were not kept and saves
#      them where the user chooses.
# Usage: exit_test.sh PATH-TO-sumiplex
set -uo pipefail
app=$1
. "$(dirname "$0")/x_session.sh"
mounted=
extra_cleanup='[ -n "$mounted" ] && umount "$mounted" 2>/dev/null'

start_openbox

# Waits up to 10 s for the program to end: `status` is its exit status, or "running".
status=
await_end() {
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  status=running
  kill -0 "$app_pid" 2>/dev/null && return
  status=0
  wait "$app_pid" || status=$?
}
type_keys() { xdotool type --delay 60 "$1"; sleep 0.3; }
press() { xdotool key --delay 80 "$@"; sleep 0.5; }
wait_window() { timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null; }
visible_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
focused_text() {
  printf '' | xclip -selection clipboard >/dev/null 2>&1
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  timeout 5 xclip -selection clipboard -o 2>/dev/null
}
# The tape lines of a journal: its header, time marks and step records left out.
tape_body() { tail -n +2 "$1" | tr -d '\r' | grep -v $'^[\x1e\x1f]'; }

echo "-- SIGTERM while typing, a modal dialog open"
start_app
type_keys '1000+'
type_keys '250+'
press alt+e s
wait_window '消費税の設定' || echo "(the tax dialog did not appear)"
type_keys '3'
kill -TERM "$app_pid"
await_end
check "the program ends with status 0" "0" "$status"
files=("$tapes"/*.tape)
check "one tape file" "1" "${#files[@]}"
check "the tape is marked complete" "complete" "$(head -n 1 "${files[0]}" | cut -d ' ' -f 3)"
check "the tape holds every line" $'      0 +1000= 1,000\n      1,000 +250= 1,250' \
  "$(tape_body "${files[0]}")"
check "the settings were saved" "10" "$(sed -n 's/^TaxRate=//p' "$conf" | tr -d '\r')"
start_app
sleep 2
check "the next start asks nothing" "1" "$(visible_named '電卓')"
wmctrl -c '電卓'
await_end
check "and closes as ever" "0" "$status"

echo "-- a full disk"
if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=64k tmpfs "$XDG_DATA_HOME" 2>/dev/null; then
  echo "skipped: mounting a small tmpfs needs root (the file-size-limited tests cover the rest)"
else
  mounted=$XDG_DATA_HOME
  mkdir -p "$tapes"
  dd if=/dev/zero of="$XDG_DATA_HOME/filler" bs=4k >/dev/null 2>&1
  start_app
  # The journal cannot start; its notice appears while the user types on.
  type_keys '12+'
  for _ in $(seq 50); do [ "$(visible_named '電卓')" -ge 2 ] && break; sleep 0.1; done
  check "the notice is shown" "2" "$(visible_named '電卓')"
  type_keys '30+'
  type_keys '4*5'
  check "the input line kept every key" "4*5" "$(focused_text)"
  press BackSpace BackSpace BackSpace
  # Closing while still full: the question names the lines; Yes opens the tape's save
  # dialog, where a file outside the full disk is chosen.
  xdotool windowactivate --sync "$main_window" 2>/dev/null
  wmctrl -c '電卓'
  sleep 1
  press Return
  wait_window '電卓　計算履歴を保存' || echo "(the save dialog did not appear)"
  press ctrl+a
  type_keys "$work/rest.txt"
  press Return
  await_end
check "the program ends once they are saved" "0" "$status"
  check "the lines were saved where chosen" $'      0 +12= 12\n      12 +30= 42' \
    "$(tr -d '\r' <"$work/rest.txt" 2>/dev/null)"
fi

[ "$failures" -eq 0 ] || { echo "app log:"; cat "$work/app.log"; exit 1; }
echo "all passed"
