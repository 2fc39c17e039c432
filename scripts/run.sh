#!/usr/bin/env bash
# The main job: installs what is missing, builds, makes a sandbox Windows profile and installs the
# dist folder into it, then shows what was installed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$top/build}"

bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh" >/dev/null

sandbox="$(mktemp -d /tmp/vantrel-run.XXXXXX)"
echo "Sandbox profile: $sandbox"
eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"

install_dir="$WINEPREFIX/drive_c/Program Files/Vantrel"
mkdir -p "$install_dir"
cp -r "$build/dist/." "$install_dir/"
bash "$top/scripts/check-dist.sh" "$install_dir"
echo
echo "Installed in C:\\Program Files\\Vantrel:"
(cd "$install_dir" && ls -l --time-style=+ | tail -n +2 | awk '{printf "  %-20s %9d bytes\n", $NF, $5}')

wineserver -k 2>/dev/null || true
echo
echo "The sandbox stays for a look: $sandbox (remove it with rm -rf)."
