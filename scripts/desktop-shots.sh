#!/usr/bin/env bash
# Runs the photographing tests of a test program inside a Wine virtual desktop, where windows get
# the captions and frames that a bare Xvfb (no window manager) leaves out, and fails when one of
# them fails. The pictures land in the program's screenshots folder like every test's.
# Usage: desktop-shots.sh path/to/Tests.exe GTEST_FILTER   (inside a sandbox, with DISPLAY)
set -euo pipefail

program="$1"
filter="$2"
if [ -z "${VANTREL_SANDBOX:-}" ] || [ ! -f "$VANTREL_SANDBOX/.vantrel-sandbox" ]; then
  echo "desktop-shots: no sandbox prefix" >&2; exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "desktop-shots: no display" >&2; exit 2
fi
dir="$(cd "$(dirname "$program")" && pwd)"
name="$(basename "$program")"
ln -sfn "$dir" "$WINEPREFIX/dosdevices/v:"
report="$WINEPREFIX/drive_c/desktop-shots-${name%.exe}.xml"
rm -f "$report"
cd "$WINEPREFIX/drive_c"
# Tests that need the desktop's taskbar and notification area look for this.
export VANTREL_DESKTOP=1
# explorer hands back no exit code of the program, so its results are read from the XML report.
timeout 600 wine explorer "/desktop=shots,1024x768" "v:\\$name" "--gtest_filter=$filter" \
  "--gtest_output=xml:C:\\$(basename "$report")" || true
if [ ! -s "$report" ]; then
  echo "desktop-shots: $name wrote no report" >&2; exit 1
fi
tests=$(sed -n 's/^<testsuites tests="\([0-9]*\)".*/\1/p' "$report")
failures=$(sed -n 's/^<testsuites tests="[0-9]*" failures="\([0-9]*\)".*/\1/p' "$report")
echo "desktop-shots: $tests tests of $name, $failures failed"
[ "$tests" -gt 0 ] && [ "$failures" -eq 0 ]
