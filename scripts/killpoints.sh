#!/usr/bin/env bash
# Kills the program at many points of each operation that writes a plan, and
# checks after every kill that nothing was lost: the plan opens, every file
# it names is whole (the old version or the new one), and the next save
# completes.
#   usage: scripts/killpoints.sh [--points N] [--install DIR]
# Operations: a save of a changed plan (a linked table and a section text),
# plan creation over an existing plan (--replace), and the compile export.
# The kill points spread evenly over the time each operation takes.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
points=100
install="${QV_BUILD_DIR:-$here/build}/Quorvex"
while [ $# -gt 0 ]; do
  case "$1" in
    --points) points="$2"; shift 2 ;;
    --install) install="$2"; shift 2 ;;
    *) echo "usage: scripts/killpoints.sh [--points N] [--install DIR]" >&2; exit 2 ;;
  esac
done
qvtool="$install/qvtool"
[ -x "$qvtool" ] || { echo "killpoints: no qvtool in $install" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/quorvex-killpoints.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The program's settings and the user's folders stay inside the work folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"

demo="$(bash "$here/scripts/make-demo.sh" "$install")"
[ -n "$demo" ] || { echo "killpoints: no demo plan" >&2; exit 1; }
answers="$here/data/demo/Retail-New.qa"

# A fresh copy of the demo plan in its own folder; prints the document path.
fresh_plan() {
  local dir="$1"
  rm -rf "$dir"; mkdir -p "$dir"
  # The document and its plan folder, which is named after it.
  cp -r "${demo%.*}"* "$dir/"
  echo "$dir/$(basename "$demo")"
}

# The one operation, run on a plan copy ($1); `n` makes each run change
# something new.
run_op() {
  local op="$1" plan="$2" n="$3"
  # exec: the kill reaches the program itself, not only a shell around it.
  case "$op" in
    save) exec "$qvtool" setcell "$plan" Tbl0503 B3 "$n" --text 1.1 "Text of run $n" ;;
    create) cd "$(dirname "$plan")" && exec "$qvtool" create --replace "$4" ;;
    export) exec "$qvtool" export "$plan" ;;
  esac
}

# Seconds (fractional) one run of the operation takes.
measure() {
  local op="$1" plan start end
  plan="$(fresh_plan "$work/measure")"
  local answerfile; answerfile="$(answers_for "$plan")"
  start=$(date +%s.%N)
  (run_op "$op" "$plan" 1 "$answerfile") > /dev/null 2>&1 || true
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }' 
}

# An answer file that makes the plan at the copy's place (creation replaces it).
answers_for() {
  local plan="$1" out="$work/answers.txt"
  sed "s|^\[FIELD1.4\]=.*|[FIELD1.4]=$plan|" "$answers" > "$out"
  echo "$out"
}

report=""
failed=0
for op in save create export; do
  duration="$(measure "$op")"
  tried=0 killed=0 opened=0 lost=0 saved=0
  for ((i = 0; i < points; i++)); do
    plan="$(fresh_plan "$work/run")"
    answerfile="$(answers_for "$plan")"
    delay="$(awk -v d="$duration" -v i="$i" -v n="$points" 'BEGIN { printf "%.3f", d * (i + 0.5) / n }')"
    status=0
    { timeout -s KILL "$delay" bash -c "$(declare -f run_op); qvtool='$qvtool'; run_op '$op' '$plan' $((i + 2)) '$answerfile'" \
      > /dev/null 2>&1 || status=$?; } 2> /dev/null
    tried=$((tried + 1))
    [ "$status" -eq 137 ] && killed=$((killed + 1))
    if "$qvtool" verify "$plan" > "$work/verify.log" 2>&1; then
      opened=$((opened + 1))
    else
      lost=$((lost + 1))
      echo "killpoints: $op killed after ${delay}s left $plan damaged:" >&2
      sed 's/^/  /' "$work/verify.log" >&2
    fi
    # The next save completes and leaves the plan whole.
    if "$qvtool" setcell "$plan" Tbl0503 C3 7 > /dev/null 2>&1 && "$qvtool" verify "$plan" > /dev/null 2>&1; then
      saved=$((saved + 1))
    fi
  done
  line="$op: $tried points over ${duration}s, $killed killed mid-way, $opened plans whole, $lost damaged, $saved saved again"
  echo "killpoints: $line"
  report="$report$line"$'\n'
  if [ "$lost" -ne 0 ] || [ "$saved" -ne "$tried" ]; then failed=1; fi
done
printf '%s' "$report"
exit "$failed"
