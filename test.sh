#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-test/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
scripts/configure.sh build-test -DCMAKE_BUILD_TYPE=Debug -DKORVANEL_SANITIZE=ON -DKORVANEL_WERROR=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen LANG=C LC_ALL=C
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd build-test
ctest --output-on-failure -j "$(nproc)"
