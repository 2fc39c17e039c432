#!/usr/bin/env bash
# Builds with the benchmarks on and runs CleanFolderBench and RegistryChecksBench in a fresh
# sandbox prefix that is removed afterwards. BUILD_DIR defaults to build-bench, so other
# builds keep their options.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$top/build-bench}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON >/dev/null
else
  cmake -S "$top" -B "$build" -DVANTREL_BENCH=ON >/dev/null
fi
cmake --build "$build" --target CleanFolderBench RegistryChecksBench -j"$(nproc)"

sandbox="$(mktemp -d /tmp/vantrel-bench.XXXXXX)"
cleanup() {
  # Only this sandbox's wineserver: it holds the prefix open.
  if [ "${WINEPREFIX:-}" = "$sandbox/prefix" ]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$sandbox"
}
trap cleanup EXIT
eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"
# A working folder that Wine can map (drive C), or it complains on every start.
cd "$WINEPREFIX/drive_c"
"$top/scripts/wine-run.sh" "$build/bin/CleanFolderBench.exe"
"$top/scripts/wine-run.sh" "$build/bin/RegistryChecksBench.exe"
