#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test program under Wine in a fresh sandbox
# prefix that is thrown away afterwards.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"

bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"

sandbox="$(mktemp -d /tmp/vantrel-test.XXXXXX)"
xvfb_pid=""
server_pid=""
cleanup() {
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
  WINEPREFIX="$sandbox/prefix" timeout 20 wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$sandbox"
}
trap cleanup EXIT

# Window tests need a display; a private Xvfb gives them one (before Wine starts in the prefix),
# so that no test window shows on the desktop and the gallery screenshot holds nothing else.
eval "$(bash "$top/scripts/private-display.sh")"
xvfb_pid="${VANTREL_XVFB_PID:-}"
eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"
# The maker's web server, on a free loopback port, for the service tests.
eval "$(bash "$top/scripts/maker-server.sh")"
server_pid="$VANTREL_SERVER_PID"

cd "${BUILD_DIR:-$top/build}"
status=0
ctest --output-on-failure "$@" || status=$?
# Windows photographed by the tests, for a person to look at.
if [ -d bin/screenshots ] && command -v convert >/dev/null; then
  mkdir -p screenshots
  for shot in bin/screenshots/*.bmp; do
    if [ -e "$shot" ]; then convert "$shot" "screenshots/$(basename "${shot%.bmp}").png"; fi
  done
fi
exit "$status"
