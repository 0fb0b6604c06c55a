#!/usr/bin/env bash
# Times kalvor-convert on a generated TNIA workbook of ROWS rows in
# worksheet 1, as .xlsx (written by libxlsxwriter) and as .xls (the same
# workbook saved by LibreOffice, which must be installed for this script:
# soffice from libreoffice-calc-nogui). Prints wall and CPU seconds and the
# peak memory in MB per format.
#
# usage: bench/tnia/run.sh [BUILD_DIR] [ROWS]    (defaults: build 60000)
set -euo pipefail
build="${1:-build}"
rows="${2:-60000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bench/tnia/tnia_generate_workbook" "$rows" "$work/model.xlsx"
soffice --headless --convert-to 'xls:MS Excel 97' --outdir "$work" "$work/model.xlsx" >/dev/null 2>&1

printf "%-6s %-7s %-8s %-8s %s\n" format rows wall-s cpu-s peak-MB
for format in xlsx xls; do
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/app/cli/kalvor-convert" --quiet \
    --format tnia --input "$work/model.$format" --output "$work/report-$format.txt" \
    --consultant C --phone P --fax F --email E --coordinate "HK1980 Grid" --year 2031
  read -r wall user system kilobytes <"$work/time"
  printf "%-6s %-7s %-8s %-8s %s\n" "$format" "$rows" "$wall" "$(echo "$user + $system" | bc)" \
    "$((kilobytes / 1024))"
done
cmp -s "$work/report-xlsx.txt" "$work/report-xls.txt" || { echo "the reports differ" >&2; exit 1; }
