#!/usr/bin/env bash
# Installs the dependencies (when missing) and builds Quorvex into build/.
# The laid-out install folder is build/Quorvex/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${QV_BUILD_DIR:-$here/build}"
cmake_args=(-S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QV_BUILD_TYPE:-RelWithDebInfo}")
if [ "${CI:-}" = "true" ]; then cmake_args+=(-DQV_WERROR=ON); fi
cmake "${cmake_args[@]}" "$@" > /dev/null
cmake --build "$build" -j "$(nproc)"
