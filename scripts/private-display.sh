#!/usr/bin/env bash
# Starts a private Xvfb on a free display number and prints the environment to `eval`:
#   eval "$(bash scripts/private-display.sh)"   -> DISPLAY and VANTREL_XVFB_PID (kill it when done)
# Prints nothing when Xvfb is missing or no display number is free.
set -euo pipefail
command -v Xvfb >/dev/null || exit 0
for n in $(seq 90 120); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  sleep 1
  if kill -0 "$pid" 2>/dev/null; then
    echo "export DISPLAY=':$n'"
    echo "export VANTREL_XVFB_PID='$pid'"
    exit 0
  fi
done
