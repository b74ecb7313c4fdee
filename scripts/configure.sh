#!/usr/bin/env bash
# configure.sh <build-folder> <cmake options...>: configures with Ninja, ccache when installed.
set -euo pipefail
build=$1
shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$(dirname "$0")/.." -B "$build" -G Ninja "${launcher[@]}" "$@"
