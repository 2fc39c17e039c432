#!/usr/bin/env bash
# Builds with the benchmarks on, installs the dist folder into a fresh sandbox prefix, seeds a
# heavy profile (50,000 cache files, 5,000 MRU values) and times a full direct-mode cleaning of
# Vantrel.exe against a plain deletion loop (DirectModeBench). The sandbox is removed
# afterwards. BUILD_DIR defaults to build-bench, so other builds keep their options.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$top/build-bench}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON >/dev/null
else
  cmake -S "$top" -B "$build" -DVANTREL_BENCH=ON >/dev/null
fi
cmake --build "$build" --target Vantrel TraceProfile DirectModeBench -j"$(nproc)"
cmake --build "$build" --target dist >/dev/null

sandbox="$(mktemp -d /tmp/vantrel-bench.XXXXXX)"
cleanup() {
  # Only this sandbox's wineserver: it holds the prefix open.
  if [ "${WINEPREFIX:-}" = "$sandbox/prefix" ]; then timeout 20 wineserver -k 2>/dev/null || true; fi
  rm -rf "$sandbox"
}
trap cleanup EXIT
eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"
install_dir="$WINEPREFIX/drive_c/Program Files/Vantrel"
mkdir -p "$install_dir"
cp -r "$build/dist/." "$install_dir/"
# A working folder that Wine can map (drive C), or it complains on every start.
cd "$WINEPREFIX/drive_c"
"$top/scripts/wine-run.sh" "$build/bin/DirectModeBench.exe" 'C:\Program Files\Vantrel\Vantrel.exe' \
  | iconv -f CP949 -t UTF-8 -c | tr -d '\r'
