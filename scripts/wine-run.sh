#!/usr/bin/env bash
# Runs a Windows program of the build inside the sandbox prefix (the emulator that ctest uses).
# The program's folder is mapped as drive V:, so the program sees an ordinary Windows path.
set -euo pipefail

prog="$1"; shift
if [ -z "${VANTREL_SANDBOX:-}" ] || [ ! -f "$VANTREL_SANDBOX/.vantrel-sandbox" ] \
   || [ "${WINEPREFIX:-}" != "$VANTREL_SANDBOX/prefix" ]; then
  echo "wine-run: no sandbox prefix; run eval \"\$(scripts/sandbox.sh)\" first" >&2
  exit 2
fi

dir="$(cd "$(dirname "$prog")" && pwd)"
ln -sfn "$dir" "$WINEPREFIX/dosdevices/v:"
exec wine "v:\\$(basename "$prog")" "$@"
