#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# a set time, a few at once, then prints how many inputs each one tried and
# whether it found anything. Findings are kept in build-fuzz/findings/.
#   usage: scripts/fuzz.sh [--minutes N] [--jobs N] [target...]
# Without targets, every reader's target runs.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
minutes=30
jobs="$(nproc)"
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) minutes="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

bash "$here/scripts/install-deps.sh"
if ! command -v clang++ > /dev/null; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y -qq clang > /dev/null
fi

build="${QV_FUZZ_BUILD_DIR:-$here/build-fuzz}"

# target, its seed folder under fuzz/corpus (or an absolute folder), dictionary
read -r -d '' table <<'TABLE' || true
plan_document_fuzz      plan_document     plan_document.dict
fuzz_vts_reader         vts               -
fuzz_formula_parser     formula           -
fuzz_rtf_reader         @shared-rtf       rtf.dict
fuzz_answer_file        answer_file       answer_file.dict
fuzz_wizard_questions   @questions        -
fuzz_table_definition   table_definition  -
fuzz_chart_file         chart             -
fuzz_metafile_player    metafile          -
fuzz_export_files       export_files      -
fuzz_registry_store     registry_store    -
TABLE

if [ ${#targets[@]} -eq 0 ]; then
  while read -r name _; do targets+=("$name"); done <<< "$table"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQV_FUZZ=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF > /dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

seeds_of() {
  case "$1" in
    @shared-rtf) echo "$here/tests/data/rtf $here/../shared/testdata/rtf" ;;
    @questions) echo "$here/data/questions" ;;
    *) echo "$here/fuzz/corpus/$1" ;;
  esac
}

export LSAN_OPTIONS="suppressions=$here/fuzz/lsan.supp:print_suppressions=0"
# Undefined behaviour stops the run like a crash, so its input is kept.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings" "$build/logs"
run_one() {
  local name="$1" seed="$2" dict="$3"
  local work="$build/corpus/$name"
  mkdir -p "$work"
  local args=(-max_total_time=$((minutes * 60)) -timeout=30 -rss_limit_mb=4096
              -artifact_prefix="$build/findings/$name-" -print_final_stats=1)
  [ "$dict" != "-" ] && args+=(-dict="$here/fuzz/$dict")
  # New inputs go to the working folder; the seed folders are only read.
  # shellcheck disable=SC2046
  "$build/fuzz/$name" "${args[@]}" "$work" $(seeds_of "$seed") > "$build/logs/$name.log" 2>&1 || true
}

running=0
for name in "${targets[@]}"; do
  line="$(grep -E "^$name[[:space:]]" <<< "$table" || true)"
  [ -z "$line" ] && { echo "fuzz: no such target: $name" >&2; exit 2; }
  read -r _ seed dict <<< "$line"
  echo "fuzz: $name for $minutes minutes"
  run_one "$name" "$seed" "$dict" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
done
wait

printf '\n%-24s %14s %10s  %s\n' target runs seconds result
for name in "${targets[@]}"; do
  log="$build/logs/$name.log"
  runs="$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)"
  secs="$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" | grep -oE 'in [0-9]+' | grep -oE '[0-9]+' | tail -1)"
  if grep -qE '^==[0-9]+==ERROR|runtime error:|deadly signal|ALARM: working on the last Unit' "$log"; then
    result="FOUND (see $log)"
  else
    result=clean
  fi
  printf '%-24s %14s %10s  %s\n' "$name" "${runs:-?}" "${secs:-?}" "$result"
done
