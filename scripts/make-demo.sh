#!/usr/bin/env bash
# Makes the demonstration plan, a new retail business, from the demo answers
# in data/demo/ unless it exists already, and prints its plan document's path.
# Prints nothing when this build cannot create plans yet.
#   usage: scripts/make-demo.sh [INSTALL_FOLDER]   (default build/Quorvex)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
install="${1:-${QV_BUILD_DIR:-$here/build}/Quorvex}"
qvtool="$install/qvtool"
answers="$here/data/demo/${QV_DEMO:-Retail-New}.qa"

usage="$("$qvtool" create 2>&1 || true)"
if [[ "$usage" != *"usage: qvtool create"* ]]; then
  echo "make-demo: $qvtool cannot create plans; no demo plan" >&2
  exit 0
fi
# Plan creation needs an absolute document path and deletes the answer file
# it reads, so it reads a copy with the user's "My Plans" folder filled in.
myplans="$("$qvtool" folder myplans)"
myplans="${myplans%/}"
mkdir -p "$myplans"
document="$(sed -n 's/^\[FIELD1\.4\]=//p' "$answers" | head -n 1)"
document="${document//@MYPLANS@/$myplans}"
if [ -f "$document" ]; then
  echo "$document"
  exit 0
fi
copy="$(mktemp "${TMPDIR:-/tmp}/quorvex-demo.XXXXXX")"
trap 'rm -f "$copy"' EXIT
while IFS= read -r line || [ -n "$line" ]; do
  printf '%s\n' "${line//@MYPLANS@/$myplans}"
done < "$answers" > "$copy"
if ! "$qvtool" create "$copy"; then
  echo "make-demo: the demo plan could not be made" >&2
fi
