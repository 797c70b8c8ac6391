#!/usr/bin/env bash
# Builds Quorvex and its Debian package; prints the package's path.
#   usage: scripts/package.sh
# Install it with: apt install ./build/package/quorvex_*.deb
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${QV_BUILD_DIR:-$here/build}"
bash "$here/scripts/build.sh" >&2
rm -f "$build"/package/quorvex_*.deb
(cd "$build" && cpack -G DEB) >&2
ls "$build"/package/quorvex_*.deb
