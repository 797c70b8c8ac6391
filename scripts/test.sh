#!/usr/bin/env bash
# Builds Quorvex and runs every test (offscreen; no display needed).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
build="${QV_BUILD_DIR:-$here/build}"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
cd "$here"
# The Debian package: built, then checked with lintian and a first run.
bash "$here/scripts/check-package.sh"
