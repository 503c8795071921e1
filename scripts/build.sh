#!/usr/bin/env bash
# Configures and builds into build/ (or $QX_BUILD_DIR). Warnings are errors when QX_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${QX_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${QX_BUILD_TYPE:-RelWithDebInfo} \
    -DQX_WERROR=${QX_WERROR:-OFF} "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
