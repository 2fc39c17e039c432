#!/usr/bin/env bash
# Starts the loopback maker's server for the sandbox prefix in WINEPREFIX and prints the
# environment to `eval`:
#   eval "$(bash scripts/maker-server.sh)"     ... kill "$VANTREL_SERVER_PID" when done
# The site is C:\makerserver\site inside the prefix (tests write their service files there) and
# every request is logged to C:\makerserver\requests.log. The program finds the server through
# VANTREL_SERVER.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
: "${WINEPREFIX:?run inside a sandbox (scripts/sandbox.sh)}"

home="$WINEPREFIX/drive_c/makerserver"
mkdir -p "$home/site"
cp -r "$top/scripts/maker-site/." "$home/site/"
# Service files are read as ANSI text by the program: the site keeps them in UTF-8.
find "$home/site/appservice" -name '*.ini.htm' | while read -r file; do
  iconv -f UTF-8 -t CP949 "$file" >"$file.cp949" && mv "$file.cp949" "$file"
done
rm -f "$home/port" "$home/requests.log"
nohup python3 "$top/scripts/maker-server.py" --site "$home/site" --log "$home/requests.log" \
  --port-file "$home/port" >"$home/server.out" 2>&1 </dev/null &
pid=$!
for _ in $(seq 50); do
  [ -s "$home/port" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$home/server.out" >&2; exit 1; }
  sleep 0.1
done
[ -s "$home/port" ] || { echo "the maker's server did not start" >&2; kill "$pid"; exit 1; }
cat <<ENV
export VANTREL_SERVER='http://127.0.0.1:$(cat "$home/port")'
export VANTREL_SERVER_SITE='C:\\makerserver'
export VANTREL_SERVER_PID='$pid'
ENV
