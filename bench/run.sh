#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/) and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
scripts/configure.sh build-bench -DCMAKE_BUILD_TYPE=Release -DKORVANEL_TESTS=OFF -DKORVANEL_BENCH=ON
cmake --build build-bench
for b in build-bench/bench/*_bench; do
    "$b"
done
