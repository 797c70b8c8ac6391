#!/usr/bin/env bash
# Builds Quorvex with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitized/ and runs every test there: any memory error, leak or
# undefined behaviour fails the run.
#   usage: scripts/test-sanitized.sh [ctest arguments...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${QV_SANITIZED_BUILD_DIR:-$here/build-sanitized}"
# Debug information without optimisation keeps the reports readable.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON > /dev/null
cmake --build "$build" -j "$(nproc)"
# Fontconfig keeps its font cache for the life of the process; that is not
# a leak of ours.
export LSAN_OPTIONS="suppressions=$here/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 900 "$@"
