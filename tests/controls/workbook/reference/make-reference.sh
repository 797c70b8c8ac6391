#!/usr/bin/env bash
# Makes the expected values of the engine's evaluation and number-format
# tables with LibreOffice Calc, from the cases in this folder:
#   evaluation-cases.txt  one formula per line, without "="; where
#                         LibreOffice shows an error of its own ("Err:502",
#                         invalid argument) a tab and the error Excel shows
#                         follow, since Excel has no such name
#   format-cases.txt      a value, a tab and an Excel format code per line
# Each is laid into a CSV sheet (the evaluation formulas in column F beside
# the sample data of A1:D5 the tests use too; each format as
# =TEXT(value,"code") in column A), LibreOffice opens it headless, calculates
# and saves the results as CSV, numbers at full precision (column G of the
# evaluation sheet tells whether each result is a number, text, logical or
# error):
#   evaluation-libreoffice.csv, format-libreoffice.csv
# Run it again after changing the cases and check the results in.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

csv_field() { # quotes a field for CSV
  local s="${1//\"/\"\"}"
  printf '"%s"' "$s"
}

data=("10,1,Jan,=1/0" "20,2,Feb," "30,3,Mar," "apple,4,," "TRUE,5,,")
row=0
while IFS= read -r formula || [ -n "$formula" ]; do
  prefix=",,,"
  [ $row -lt ${#data[@]} ] && prefix="${data[$row]}"
  row=$((row + 1))
  # Column G tells the kind of result.
  kind="=IF(ISERROR(F$row),\"error\",IF(ISTEXT(F$row),\"text\",IF(ISLOGICAL(F$row),\"logical\",\"number\")))"
  printf '%s,,%s,%s\n' "$prefix" "$(csv_field "=${formula%%$'\t'*}")" "$(csv_field "$kind")"
done < "$here/evaluation-cases.txt" > "$work/evaluation.csv"

while IFS=$'\t' read -r value code || [ -n "$value" ]; do
  q="${code//\"/\"\"}"
  csv_field "=TEXT($value,\"$q\")"
  printf '\n'
done < "$here/format-cases.txt" > "$work/format.csv"

# Text compares ignoring case, as in Excel (LibreOffice's own default differs).
mkdir -p "$work/profile/user"
cat > "$work/profile/user/registrymodifications.xcu" <<'XCU'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Calculate/Other"><prop oor:name="CaseSensitive" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
XCU

for name in evaluation format; do
  soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
    --infilter="CSV:44,34,76,1,,1033,false,false" \
    --convert-to "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,false,false" \
    --outdir "$work/out" "$work/$name.csv" > /dev/null
  cp "$work/out/$name.csv" "$here/$name-libreoffice.csv"
done
soffice --version 2> /dev/null | grep -m 1 LibreOffice > "$here/libreoffice-version.txt"
