#!/bin/sh
# Times kalvor-convert on generated RoadNoise projects of growing size; the
# time per link should stay about the same as the project grows.
# usage: time_conversion.sh PATH/TO/kalvor-convert [LINKS...]
set -e
convert=$1
shift
[ $# -gt 0 ] || set -- 2000 8000 32000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(dirname "$0")
for links in "$@"; do
  python3 "$here/make_project.py" "$work/p$links" "$links"
  start=$(date +%s.%N)
  "$convert" --quiet --format roadnoise --input "$work/p$links/BIG.MAS" \
    --output "$work/p$links/report.txt" --consultant C --phone P --fax F --email E \
    --coordinate "HK1980 Grid" --year 2031
  end=$(date +%s.%N)
  echo "$links links: $(echo "$end - $start" | bc) s"
done
