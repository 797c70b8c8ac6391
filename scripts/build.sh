#!/usr/bin/env bash
# Installs the dependencies (when missing) and builds Quorvex into build/.
# The laid-out install folder is build/Quorvex/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${QV_BUILD_DIR:-$here/build}"
# Paths relative to the checkout let ccache serve any clone of it.
export CCACHE_BASEDIR="$here"
# The build folder differs between clones; do not let it split the cache.
export CCACHE_NOHASHDIR=true
cmake_args=(-S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QV_BUILD_TYPE:-RelWithDebInfo}")
if [ "${CI:-}" = "true" ]; then cmake_args+=(-DQV_WERROR=ON); fi
cmake "${cmake_args[@]}" "$@" > /dev/null
cmake --build "$build" -j "$(nproc)"
