#!/usr/bin/env bash
# Compares the window with kalvor-convert on the generated HFANoise model of
# 100,000 road segments (bench/hfa): the wall time of each, best of RUNS,
# and their ratio. The window should stay within 1.2 times kalvor-convert.
#
# usage: bench/window/run.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR defaults to build, RUNS to 3. Without a display the window runs
#   on Qt's offscreen platform.
set -euo pipefail
build="${1:-build}"
runs="${2:-3}"
generator="$build/bench/hfa/hfa_generate_model"
convert="$build/app/cli/kalvor-convert"
window="$build/bench/window/window_time_conversion"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/settings"

"$generator" 42 100000 20000 10000 "$work/model.dat" "$work/laybarr.txt"

time_convert() {
  local start end
  start=$(date +%s.%N)
  "$convert" --format hfanoise --input "$work/model.dat" --output "$work/cli.txt" \
    --consultant C --phone P --fax F --email E --coordinate "HK1980 Grid" --year 2031 --quiet
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

best() { sort -n | head -1; }

cli=$(for _ in $(seq "$runs"); do time_convert; done | best)
win=$(for _ in $(seq "$runs"); do "$window" "$work/model.dat" "$work/window.txt"; done | best)
cmp -s "$work/cli.txt" "$work/window.txt" || { echo "run.sh: the reports differ" >&2; exit 1; }
printf "kalvor-convert %6.2f s\nwindow         %6.2f s\nratio          %6.2f\n" \
  "$cli" "$win" "$(echo "scale=3; $win / $cli" | bc)"
