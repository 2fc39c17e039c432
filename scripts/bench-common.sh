# Sourced by the benchmark commands: a build folder with the benchmarks on (BUILD_DIR, default
# build-bench, so other builds keep their options) and a fresh sandbox prefix removed on exit.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$top/build-bench}"

configure_bench_build() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON >/dev/null
  else
    cmake -S "$top" -B "$build" -DVANTREL_BENCH=ON >/dev/null
  fi
}

enter_bench_sandbox() {
  sandbox="$(mktemp -d /tmp/vantrel-bench.XXXXXX)"
  trap remove_bench_sandbox EXIT
  eval "$(bash "$top/scripts/sandbox.sh" "$sandbox")"
  # A working folder that Wine can map (drive C), or it complains on every start.
  cd "$WINEPREFIX/drive_c"
}

remove_bench_sandbox() {
  # Only this sandbox's wineserver: it holds the prefix open.
  if [ "${WINEPREFIX:-}" = "$sandbox/prefix" ]; then timeout 20 wineserver -k 2>/dev/null || true; fi
  rm -rf "$sandbox"
}
