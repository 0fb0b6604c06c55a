#!/usr/bin/env bash
# Times the plan of the generated 100,000-segment HFANoise model (bench/hfa),
# converted without and with its layout-barrier file: kalvor-plan's PNG and
# SVG export (wall and CPU seconds, peak memory in MB) and the frame times of
# drawing, zooming and panning as the window does.
#
# usage: bench/plan/run.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bench/hfa/hfa_generate_model" 42 100000 20000 10000 "$work/model.dat" "$work/laybarr.txt"
export QT_QPA_PLATFORM=offscreen
for with in no yes; do
  extra=()
  [ "$with" = yes ] && extra=(--layout-barrier "$work/laybarr.txt")
  "$build/app/cli/kalvor-convert" --format hfanoise --input "$work/model.dat" \
    --output "$work/report.txt" --consultant C --phone P --fax F --email E \
    --coordinate "HK1980 Grid" --year 2031 --quiet "${extra[@]}"
  echo "== layout barriers: $with"
  for kind in png svg; do
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/app/plan/kalvor-plan" \
      "$work/report.txt" -o "$work/plan.$kind" 2>/dev/null
    read -r wall user system kilobytes <"$work/time"
    printf "kalvor-plan %s (1600x1200): wall %s s, cpu %s s, peak %s MB\n" "$kind" "$wall" \
      "$(echo "$user + $system" | bc)" "$((kilobytes / 1024))"
  done
  "$build/bench/plan/plan_frame_bench" "$work/report.txt" 1280x800 2>/dev/null
done
