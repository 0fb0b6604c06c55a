#!/usr/bin/env bash
# Times kalvor-convert on generated HFANoise models and prints, per size, the
# wall time and the CPU time (user + system) in seconds and the peak memory in
# MB, without and with a layout-barrier file.
#
# usage: bench/hfa/run.sh [BUILD_DIR] [SCALES...]
#   BUILD_DIR defaults to build; SCALES default to "1 10" (scale 1: 100,000
#   road segments, 20,000 barrier segments, 10,000 receivers).
set -euo pipefail
build="${1:-build}"
shift || true
scales=("$@")
[ ${#scales[@]} -eq 0 ] && scales=(1 10)
generator="$build/bench/hfa/hfa_generate_model"
convert="$build/app/cli/kalvor-convert"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

measure() {
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null
  read -r wall user system kilobytes <"$work/time"
  printf "%-8s %-8s %s" "$wall" "$(echo "$user + $system" | bc)" "$((kilobytes / 1024))"
}

printf "%-6s %-8s %-8s %-9s %-15s %-8s %-8s %s\n" scale roads barriers receivers layout-barriers \
  wall-s cpu-s peak-MB
for scale in "${scales[@]}"; do
  roads=$((100000 * scale)) barriers=$((20000 * scale)) receivers=$((10000 * scale))
  "$generator" 42 "$roads" "$barriers" "$receivers" "$work/model.dat" "$work/laybarr.txt"
  for with in no yes; do
    extra=()
    [ "$with" = yes ] && extra=(--layout-barrier "$work/laybarr.txt")
    result=$(measure "$convert" --format hfanoise --input "$work/model.dat" \
      --output "$work/report.txt" --consultant C --phone P --fax F --email E \
      --coordinate "HK1980 Grid" --year 2031 --quiet "${extra[@]}")
    printf "%-6s %-8s %-8s %-9s %-15s %s\n" "$scale" "$roads" "$barriers" "$receivers" "$with" "$result"
  done
done
