#!/usr/bin/env bash
# Builds the Debian package from an existing build folder, has lintian check it (errors fail,
# warnings are listed), checks its file list and control fields, then unpacks it into a
# scratch root and starts the program from there offscreen: it must come up (its tape
# appears) and end cleanly on SIGTERM.
# Usage: deb_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

if ! (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  echo "cpack failed"
  exit 1
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/out/sumiplex_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out"; echo "no package named $(basename "$deb")"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

if command -v lintian >/dev/null; then
  # Root is fine in a container; lintian only says it is not recommended.
  lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
  grep -v 'root privileges' "$work/lintian.log"
  grep -q '^E: ' "$work/lintian.log" && fail "lintian reports errors"
else
  echo "lintian not installed: the package is not checked by it"
fi

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
for path in /usr/bin/sumiplex /usr/share/applications/sumiplex.desktop \
  /usr/share/metainfo/io.github.sumiplex.Sumiplex.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/sumiplex.png /usr/share/icons/hicolor/128x128/apps/sumiplex.png \
  /usr/share/icons/hicolor/256x256/apps/sumiplex.png /usr/share/icons/hicolor/scalable/apps/sumiplex.svg \
  /usr/share/man/man1/sumiplex.1.gz /usr/share/man/ja/man1/sumiplex.1.gz \
  /usr/share/doc/sumiplex/copyright /usr/share/doc/sumiplex/changelog.gz; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
# Only the program's own files: nothing from the tests, benchmarks or the build tree.
stray=$(grep -v '/$' <<<"$contents" |
  grep -v -E '^/usr/(bin/sumiplex|share/(applications|metainfo|icons|man|doc)/.*)$')
[ -z "$stray" ] || fail "files the package should not hold: $stray"

for field in Maintainer Description Section Depends; do
  value=$(dpkg-deb -f "$deb" "$field")
  [ -n "$value" ] || fail "no $field in the control file"
done
# The dependencies are read off the binary, so the Qt libraries it links must be there.
grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "Depends lacks the Qt widgets library"

dpkg-deb -x "$deb" "$work/root" || { echo "the package does not unpack"; exit 1; }
# The manual pages read cleanly in both languages.
for page in man1/sumiplex.1.gz ja/man1/sumiplex.1.gz; do
  if ! LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/$page" \
    >"$work/man.txt" 2>"$work/man.err" || [ -s "$work/man.err" ]; then
    cat "$work/man.err"
    fail "the manual page $page does not read cleanly"
  fi
  grep -q 'Sumiplex.conf' "$work/man.txt" || fail "$page does not name the settings file"
done

export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$work/root/usr/bin/sumiplex" >"$work/app.log" 2>&1 &
app_pid=$!
started=
for _ in $(seq 200); do
  compgen -G "$XDG_DATA_HOME/Sumiplex/tapes/*.tape" >/dev/null && { started=1; break; }
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$started" ]; then
  cat "$work/app.log"
  fail "the unpacked program did not start its run"
fi
kill -TERM "$app_pid" 2>/dev/null
status=running
for _ in $(seq 100); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    status=0
    wait "$app_pid" || status=$?
    break
  fi
  sleep 0.1
done
[ "$status" == running ] || app_pid=
if [ "$status" != 0 ]; then
  cat "$work/app.log"
  fail "the unpacked program, sent SIGTERM, ended with status $status"
fi
[ -f "$XDG_CONFIG_HOME/Sumiplex/Sumiplex.conf" ] || fail "the unpacked program saved no settings"

[ "$failures" -eq 0 ] && echo "package checked"
exit $((failures > 0))
