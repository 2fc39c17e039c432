#!/usr/bin/env bash
# Builds with the benchmarks on and runs CleanFolderBench and RegistryChecksBench in a fresh
# sandbox prefix that is removed afterwards.
set -euo pipefail
source "$(dirname "$0")/bench-common.sh"
configure_bench_build
cmake --build "$build" --target CleanFolderBench RegistryChecksBench -j"$(nproc)"

enter_bench_sandbox
"$top/scripts/wine-run.sh" "$build/bin/CleanFolderBench.exe"
"$top/scripts/wine-run.sh" "$build/bin/RegistryChecksBench.exe"
