#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test program under Wine in a fresh sandbox
# prefix that is thrown away afterwards.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"

bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"

sandbox="$(mktemp -d /tmp/vantrel-test.XXXXXX)"
cleanup() {
  WINEPREFIX="$sandbox/prefix" timeout 20 wineserver -k 2>/dev/null || true
  rm -rf "$sandbox"
}
trap cleanup EXIT
eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"

cd "${BUILD_DIR:-$top/build}"
ctest --output-on-failure "$@"
