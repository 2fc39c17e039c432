#!/usr/bin/env bash
# Ends a Wine session for real while Vantrel.exe runs on a seeded profile, and checks that the
# program cleaned before the session ended: the traces of the checked items are gone, those of
# the unchecked ones are still there, [Logout] LastRegistryProcessed holds the number of removed
# registry entries and the run's backup file lists as many. Photographs the logout run.
# Usage: session-end.sh BIN_FOLDER   (inside a sandbox, with DISPLAY; the ctest entry SessionEnd)
set -euo pipefail

bin="$(cd "$1" && pwd)"
if [ -z "${VANTREL_SANDBOX:-}" ] || [ ! -f "$VANTREL_SANDBOX/.vantrel-sandbox" ] || [ -z "${DISPLAY:-}" ]; then
  echo "session-end: needs a sandbox prefix and a display" >&2; exit 2
fi
fail() { echo "session-end: $*" >&2; timeout 20 wineserver -k 2>/dev/null || true; exit 1; }
text() { iconv -f CP949 -t UTF-8 -c | tr -d '\r'; }

timeout 20 wineserver -k 2>/dev/null || true
install="$WINEPREFIX/drive_c/vantrel-session"
rm -rf "$install"
cp -r "$bin/desktopdist" "$install"
ln -sfn "$bin" "$WINEPREFIX/dosdevices/v:"
cd "$WINEPREFIX/drive_c"
wine 'v:\TraceProfile.exe' seed >/dev/null || fail "seeding failed"

profile="$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData | grep -v /Public/ | head -n 1)"
config="$profile/LocalLow/vantrel/Config.ini"
history="$profile/Local/vantrel/RegHistory"
mkdir -p "$(dirname "$config")"
rm -rf "$history"
# The first start's checks with the MUI cache on; the items that end the shell (9, 44) off, since
# here the shell is the virtual desktop.
printf '[Setting]\r\nRegistryCheckMUICache=1\r\nRemoveWindowsRunHistory=0\r\nRemoveTrayHistory=0\r\n' > "$config"
wine reg delete 'HKCU\Software\Quillon\vantrel' /v Main /f >/dev/null 2>&1 || true

wine explorer /desktop=session,1024x768 'C:\vantrel-session\Vantrel.exe' >/dev/null 2>&1 &
for _ in $(seq 60); do
  wine reg query 'HKCU\Software\Quillon\vantrel' /v Main >/dev/null 2>&1 && break
  sleep 0.5
done
wine reg query 'HKCU\Software\Quillon\vantrel' /v Main >/dev/null 2>&1 || fail "Vantrel's main window did not come up"
sleep 2

wine explorer /desktop=session,1024x768 wineboot.exe -e -s >/dev/null 2>&1
sleep 1.5
mkdir -p "$bin/screenshots"
xwd -root -silent | convert xwd:- "bmp3:$bin/screenshots/logout-run.bmp" || true
for _ in $(seq 360); do
  grep -q '^LastRegistryProcessed=' "$config" 2>/dev/null && break
  sleep 0.5
done
count="$(sed -n 's/^LastRegistryProcessed=\([0-9]*\).*/\1/p' "$config")"
[ -n "$count" ] || fail "no [Logout] LastRegistryProcessed after the end of the session"
timeout 20 wineserver -k 2>/dev/null || true

report="$(wine 'v:\TraceProfile.exe' report | text || true)"
wine 'v:\TraceProfile.exe' remove >/dev/null 2>&1 || true
checked=" 1 15 2 16 38 3 4 5 45 46 47 20 21 14 18 19 40 50 17 6 7 42 8 10 11 12 39 27 28 29 30 32 33 34 35 36 "
left="$(printf '%s\n' "$report" | awk -v checked="$checked" '
  /^ *[0-9]+  [A-Za-z]/ {
    split($NF, count, "/")
    if (index(checked, " " $1 " ") && count[1] > 0) print "checked item " $1 " " $2 " left " $NF
    if (!index(checked, " " $1 " ") && count[1] == 0) print "unchecked item " $1 " " $2 " was cleaned"
  }')"
[ -z "$left" ] || fail "$left"

backup="$(ls -t "$history"/*.REG 2>/dev/null | head -n 1)"
[ -n "$backup" ] || fail "no backup file of the logout run"
listed="$(iconv -f UTF-16 -t UTF-8 "$backup" | tr -d '\r' | awk '/^\[List\]/ { list = 1; next } /^\[/ { list = 0 } list && /^[0-9]+=/ { n++ } END { print n + 0 }')"
[ "$count" -gt 0 ] || fail "the logout run removed no registry entry"
[ "$listed" -eq "$count" ] || fail "LastRegistryProcessed=$count but the backup lists $listed"
echo "session-end: the session ended after Vantrel cleaned; $count registry entries, all in $(basename "$backup")"
