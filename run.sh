#!/usr/bin/env bash
# Installs what is missing, builds the diary (Release) and starts it.
# The data folder is $KORVANEL_DATEN, default ~/Korvanel; further arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
scripts/configure.sh build -DCMAKE_BUILD_TYPE=Release -DKORVANEL_TESTS=OFF
cmake --build build
daten=${KORVANEL_DATEN:-$HOME/Korvanel}
mkdir -p "$daten"
exec build/src/app/korvanel "/OrdnerDat=$daten" "$@"
