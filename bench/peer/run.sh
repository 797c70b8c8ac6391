#!/usr/bin/env bash
# Loads, recalculates and prints a workbook of formula cells in Quorvex
# (qvtool cells), Gnumeric (ssconvert --recalc) and LibreOffice (headless
# convert), side by side, and prints wall time, processor time (user +
# system; the fair figure when others share the machine), peak memory and
# our ratios.
#
#   bench/peer/run.sh [--rows N] [--install] [--qvtool PATH] [--keep DIR]
#
# The workload is the ten-column chain, one row per step:
#   A{r}=A{r-1}+1  B{r}=A{r}*2+B{r-1}  C=B+A  D=SUM(A:C)  E=D/2  F=E-A
#   G=(F>0)*F  H=G*1.05  I=INT(H*100)/100  J=I+J{r-1}
# 100,000 rows (the default) make 1,000,000 cells. --install installs
# gnumeric and libreoffice-calc-nogui first (apt, under /tmp/apt.lock);
# without it the peers that are missing are skipped.
set -euo pipefail

here="$(cd "$(dirname "$0")/../.." && pwd)"
rows=100000
install=0
qvtool="$here/build/Quorvex/qvtool"
keep=""
while [ $# -gt 0 ]; do
  case "$1" in
    --rows) rows="$2"; shift 2 ;;
    --install) install=1; shift ;;
    --qvtool) qvtool="$2"; shift 2 ;;
    --keep) keep="$2"; shift 2 ;;
    *) echo "usage: $0 [--rows N] [--install] [--qvtool PATH] [--keep DIR]" >&2; exit 2 ;;
  esac
done

if [ "$install" = 1 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  flock /tmp/apt.lock $SUDO env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends gnumeric libreoffice-calc-nogui
fi

work="${keep:-$(mktemp -d)}"
mkdir -p "$work"
[ -n "$keep" ] || trap 'rm -rf "$work"' EXIT

# One awk program writes both forms, so they hold the same formulas.
awk -v rows="$rows" -v vts="$work/Workload.vts" -v csv="$work/workload.csv" '
function formulas(r,   p) {
  p = r - 1
  f[1] = (r == 1) ? "" : "A" p "+1"
  f[2] = (r == 1) ? "A1*2" : "A" r "*2+B" p
  f[3] = "B" r "+A" r
  f[4] = "SUM(A" r ":C" r ")"
  f[5] = "D" r "/2"
  f[6] = "E" r "-A" r
  f[7] = "(F" r ">0)*F" r
  f[8] = "G" r "*1.05"
  f[9] = "INT(H" r "*100)/100"
  f[10] = (r == 1) ? "I1" : "I" r "+J" p
}
BEGIN {
  split("A B C D E F G H I J", letter, " ")
  print "{\"format\": \"quorvex-workbook\", \"version\": 1, \"title\": \"Workload\", \"activeSheet\": 0," > vts
  print " \"sheets\": [{\"name\": \"Sheet1\", \"cells\": [" > vts
  for (r = 1; r <= rows; r++) {
    formulas(r)
    line = ""
    for (c = 1; c <= 10; c++) {
      cell = (r == 1 && c == 1) ? "\"n\": 1" : "\"f\": \"" f[c] "\""
      sep = (r == rows && c == 10) ? "" : ","
      printf "  {\"r\": \"%s%d\", %s}%s\n", letter[c], r, cell, sep > vts
      line = line (c > 1 ? "," : "") ((r == 1 && c == 1) ? "1" : "=" f[c])
    }
    print line > csv
  }
  print "]}]}" > vts
}'

measure() { # name, output file, command...
  local name="$1" out="$2"; shift 2
  local log="$work/$name.time"
  if ! /usr/bin/time -v -o "$log" "$@" > "$out" 2> "$work/$name.err"; then
    echo "$name: failed (see $work/$name.err)" >&2
    cat "$work/$name.err" >&2
    return 1
  fi
  local wall cpu rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' "$log")
  cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$log")
  rss=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$log")
  printf '%-12s %8.2f s %8.2f s %8s MB\n' "$name" "$wall" "$cpu" "$rss"
  eval "time_$name=$wall; cpu_$name=$cpu; rss_$name=$rss"
}

cells=$((rows * 10))
echo "workload: $rows rows, $cells cells ($(du -h "$work/Workload.vts" | cut -f1) .vts, $(du -h "$work/workload.csv" | cut -f1) CSV)"
printf '%-12s %10s %10s %11s\n' program wall processor "peak memory"

time_quorvex=""; time_gnumeric=""; time_libreoffice=""
if [ -x "$qvtool" ]; then
  measure quorvex "$work/quorvex.out" "$qvtool" cells "$work/Workload.vts" "J1:J$rows"
else
  echo "quorvex: $qvtool not built" >&2
fi
if command -v ssconvert > /dev/null; then
  measure gnumeric "$work/gnumeric.out" ssconvert --recalc "$work/workload.csv" "$work/gnumeric.csv"
else
  echo "gnumeric: ssconvert not installed (--install installs it)"
fi
if command -v soffice > /dev/null; then
  mkdir -p "$work/lo"
  # CSV filter options: comma, quote, UTF-8, from line 1, ..., token 13 evaluates formulas.
  measure libreoffice "$work/libreoffice.out" soffice --headless --norestore \
    "-env:UserInstallation=file://$work/lo-profile" \
    --infilter="CSV:44,34,76,1,,1033,false,false,false,false,false,-1,true" \
    --convert-to csv --outdir "$work/lo" "$work/workload.csv"
else
  echo "libreoffice: soffice not installed (--install installs it)"
fi

# The last value of column J must agree between the programs.
[ -n "$time_quorvex" ] && echo "quorvex     J$rows = $(tail -n 1 "$work/quorvex.out")"
[ -n "$time_gnumeric" ] && echo "gnumeric    J$rows = $(tail -n 1 "$work/gnumeric.csv" | awk -F, '{print $10}')"
[ -n "$time_libreoffice" ] && echo "libreoffice J$rows = $(cat "$work"/lo/*.csv | tail -n 1 | awk -F, '{print $10}')"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
if [ -n "$time_quorvex" ]; then
  for peer in gnumeric libreoffice; do
    t="time_$peer"; c="cpu_$peer"; m="rss_$peer"
    if [ -n "${!t}" ]; then
      echo "quorvex / $peer: wall time $(ratio "$time_quorvex" "${!t}"), processor time $(ratio "$cpu_quorvex" "${!c}"), peak memory $(ratio "$rss_quorvex" "${!m}")"
    fi
  done
fi
