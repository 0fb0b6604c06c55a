#!/usr/bin/env bash
# Compares the window with kalvor-convert on the generated HFANoise model of
# 100,000 road segments (bench/hfa): wall time and CPU time (user + system)
# of each whole program, the best of RUNS, and their ratios. The window
# should stay within 1.2 times kalvor-convert. On a machine shared with other
# work the wall times scatter; the CPU times tell the programs' own cost.
# The window's figures include its start (Qt, fonts, the window itself);
# the last line gives the window's conversion alone, from Convert to "Done".
#
# usage: bench/window/run.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR defaults to build, RUNS to 3. Without a display the window runs
#   on Qt's offscreen platform.
set -euo pipefail
build="${1:-build}"
runs="${2:-3}"
generator="$build/bench/hfa/hfa_generate_model"
convert="$(realpath "$build/app/cli/kalvor-convert")"
window="$(realpath "$build/bench/window/window_time_conversion")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/settings"

"$generator" 42 100000 20000 10000 "$work/model.dat" "$work/laybarr.txt"

# Prints "wall cpu" in seconds for one run of the command.
measure() {
  /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >>"$work/printed" 2>/dev/null
  read -r wall user system <"$work/time"
  echo "$wall $(echo "$user + $system" | bc)"
}

# The best wall time and the best CPU time of RUNS runs.
best_of_runs() {
  for _ in $(seq "$runs"); do measure "$@"; done >"$work/runs"
  echo "$(cut -d' ' -f1 "$work/runs" | sort -n | head -1) $(cut -d' ' -f2 "$work/runs" | sort -n | head -1)"
}

read -r cli_wall cli_cpu < <(best_of_runs "$convert" --format hfanoise --input "$work/model.dat" \
  --output "$work/cli.txt" --consultant C --phone P --fax F --email E \
  --coordinate "HK1980 Grid" --year 2031 --quiet)
: >"$work/printed"
read -r win_wall win_cpu < <(best_of_runs "$window" "$work/model.dat" "$work/window.txt")
conversion_wall=$(sort -n "$work/printed" | head -1)
cmp -s "$work/cli.txt" "$work/window.txt" || { echo "run.sh: the reports differ" >&2; exit 1; }
printf "%-15s %8s %8s\n" "" wall-s cpu-s
printf "%-15s %8.2f %8.2f\n" kalvor-convert "$cli_wall" "$cli_cpu" window "$win_wall" "$win_cpu"
printf "%-15s %8.2f %8.2f\n" ratio "$(echo "scale=3; $win_wall / $cli_wall" | bc)" \
  "$(echo "scale=3; $win_cpu / $cli_cpu" | bc)"
printf "window conversion alone %.2f s wall, %.2f times kalvor-convert\n" "$conversion_wall" \
  "$(echo "scale=3; $conversion_wall / $cli_wall" | bc)"
