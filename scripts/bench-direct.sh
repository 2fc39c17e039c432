#!/usr/bin/env bash
# Builds with the benchmarks on, installs the dist folder into a fresh sandbox prefix, seeds a
# heavy profile (50,000 cache files, 5,000 MRU values) and times a full direct-mode cleaning of
# Vantrel.exe against a plain deletion loop (DirectModeBench). The sandbox is removed afterwards.
set -euo pipefail
source "$(dirname "$0")/bench-common.sh"
configure_bench_build
cmake --build "$build" --target Vantrel TraceProfile DirectModeBench -j"$(nproc)"
cmake --build "$build" --target dist >/dev/null

enter_bench_sandbox
install_dir="$WINEPREFIX/drive_c/Program Files/Vantrel"
mkdir -p "$install_dir"
cp -r "$build/dist/." "$install_dir/"
"$top/scripts/wine-run.sh" "$build/bin/DirectModeBench.exe" 'C:\Program Files\Vantrel\Vantrel.exe' \
  | iconv -f CP949 -t UTF-8 -c | tr -d '\r'
