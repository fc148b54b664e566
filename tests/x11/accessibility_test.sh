#!/usr/bin/env bash
# The program as a screen reader meets it on a real X server: through the AT-SPI bus, every
# control that takes the keyboard in the main window and in each tool window has a name,
# and after 500+ the total's spoken name holds the new total.
# Usage: accessibility_test.sh PATH-TO-sumiplex
set -uo pipefail
app=$1
here=$(dirname "$0")
. "$here/x_session.sh"

# A session bus of its own; the accessibility bus is started on it when first asked for.
# Its launcher ends when the session bus goes.
bus_out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || {
  echo "no session bus could be started"
  exit 1
}
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 <<<"$bus_out")
export DBUS_SESSION_BUS_ADDRESS
pids+=("$(sed -n 2p <<<"$bus_out")")
# Qt offers its tree to the bus only when asked; a desktop without a screen reader running
# does not ask.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
atspi() { /usr/bin/python3 "$here/atspi_walk.py" "$@"; }

start_openbox
start_app
atspi names 電卓 || failures=$((failures + 1))

atspi total '500+' 500 || failures=$((failures + 1))

# Each tool window, opened from its menu item, then checked while it is shown.
for item in 計算履歴を表示 メモ帳を表示 日数計算 時間計算 単位換算 金種計算 税率別集計 原価・売価・利益率 過去の計算履歴 基本的な使い方; do
  atspi menu "$item" || { failures=$((failures + 1)); continue; }
  sleep 1
done
atspi names '*' || failures=$((failures + 1))

echo "$failures failure(s)"
exit $((failures > 0))
