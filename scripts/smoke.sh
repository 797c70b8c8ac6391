#!/usr/bin/env bash
# The smoke run of the real program: starts quorvex -o on the demo plan
# offscreen, waits until the composer shows the plan's first section, leaves
# through File > Exit and expects exit code 0.
#   usage: scripts/smoke.sh [INSTALL_FOLDER]   (default build/Quorvex)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
install="${1:-${QV_BUILD_DIR:-$here/build}/Quorvex}"
plan="$(bash "$here/scripts/make-demo.sh" "$install")"
if [ -z "$plan" ]; then
  echo "smoke: no demo plan could be made" >&2
  exit 1
fi
log="$(mktemp "${TMPDIR:-/tmp}/quorvex-smoke.XXXXXX")"
trap 'rm -f "$log"' EXIT
status=0
QT_QPA_PLATFORM=offscreen QUORVEX_SMOKE=1 timeout 120 "$install/quorvex" -o "$plan" > "$log" 2>&1 || status=$?
cat "$log"
if [ "$status" -ne 0 ]; then
  echo "smoke: quorvex -o $plan ended with exit code $status" >&2
  exit 1
fi
if ! grep -q '^composer shows section: ' "$log"; then
  echo "smoke: the composer never showed a section" >&2
  exit 1
fi
echo "smoke: quorvex opened $plan, showed its first section and closed cleanly"
