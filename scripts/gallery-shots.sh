#!/usr/bin/env bash
# Shows the control gallery in a Wine virtual desktop, saves a screenshot of the display and
# checks that the controls were drawn (the colours of the dialog, a selected list line and the
# HTML banner are on the screen).
# Usage: gallery-shots.sh path/to/ControlGallery.exe output-folder   (inside a sandbox, with DISPLAY)
set -euo pipefail

gallery="$1"
out="$2"
if [ -z "${VANTREL_SANDBOX:-}" ] || [ ! -f "$VANTREL_SANDBOX/.vantrel-sandbox" ]; then
  echo "gallery-shots: no sandbox prefix" >&2; exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "gallery-shots: no display" >&2; exit 2
fi
mkdir -p "$out"
drive_c="$WINEPREFIX/drive_c"
rm -f "$drive_c/gallery-ready" "$drive_c/gallery-close"

dir="$(cd "$(dirname "$gallery")" && pwd)"
ln -sfn "$dir" "$WINEPREFIX/dosdevices/v:"
wine explorer /desktop=gallery,800x600 "v:\\$(basename "$gallery")" 'C:\gallery-ready' 'C:\gallery-close' \
  >"$out/gallery.log" 2>&1 &
desktop=$!

for _ in $(seq 1 120); do
  [ -f "$drive_c/gallery-ready" ] && break
  sleep 0.5
done
if [ ! -f "$drive_c/gallery-ready" ]; then
  echo "gallery-shots: the gallery did not come up" >&2
  kill "$desktop" 2>/dev/null || true
  exit 1
fi
sleep 2  # a few frames of the animation and the last repaints

shot="$out/gallery.png"
xwd -root -silent | convert xwd:- "$shot"
touch "$drive_c/gallery-close"
for _ in $(seq 1 40); do
  kill -0 "$desktop" 2>/dev/null || break
  sleep 0.5
done
kill "$desktop" 2>/dev/null || true

# Count the pixels of the colours the gallery must show.
count() { convert "$shot" -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h)]' info:; }
failed=0
check() {
  local name="$1" colour="$2" least="$3" n
  n="$(count "$colour")"
  echo "$name ($colour): $n pixels"
  if [ "$n" -lt "$least" ]; then echo "gallery-shots: too few $name pixels" >&2; failed=1; fi
}
check "dialog background" "rgb(236,233,216)" 20000
check "selected list line" "rgb(49,108,197)" 1000
check "HTML banner background" "rgb(255,250,205)" 5000
check "list frame" "rgb(127,157,185)" 200
echo "screenshot: $shot"
exit "$failed"
