#!/usr/bin/env bash
# Builds Quorvex and starts it on the shipped demo plan (under xvfb-run when
# there is no display).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/build.sh"
install="${QV_BUILD_DIR:-$here/build}/Quorvex"
args=()
if [ -x "$here/scripts/make-demo.sh" ]; then
  plan="$(bash "$here/scripts/make-demo.sh" "$install")"
  if [ -n "$plan" ]; then args=(-o "$plan"); fi
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$install/quorvex" "${args[@]}"
fi
exec "$install/quorvex" "${args[@]}"
