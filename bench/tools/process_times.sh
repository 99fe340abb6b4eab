#!/usr/bin/env bash
# Whole-process times of rsdtool against cat and the numpy yardstick, wall clock and CPU
# (user + system), best of RUNS. On a busy machine the CPU figures are the steadier ones.
#   bench/tools/process_times.sh BUILD_DIR [FILES] [RUNS]
set -euo pipefail
build=${1:?usage: process_times.sh BUILD_DIR [FILES] [RUNS]}
files=${2:-30}
runs=${3:-5}
rsdtool="$build/tools/rsdtool/rsdtool"
here=$(cd "$(dirname "$0")" && pwd)
python=python3
python3 -c "import numpy" 2>/dev/null || python=/usr/bin/python3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for ((i = 0; i < files; i++)); do
  "$rsdtool" demo --records 1440 "$dir/day$i.RSD"
  # The same day without a site: no sun and no clear sky.
  sed 's/^LAT,.*/LAT,0/; s/^LON,.*/LON,0/' "$dir/day$i.RSD" >"$dir/nosite$i.RSD"
done

# Prints "wall cpu" in seconds, the best of $runs runs of the command.
best() {
  local wall cpu bestWall=999 bestCpu=999
  for ((r = 0; r < runs; r++)); do
    /usr/bin/time -o "$dir/time" -f "%e %U %S" "$@" >/dev/null 2>&1
    read -r wall cpu < <(awk '{print $1, $2 + $3}' "$dir/time")
    bestWall=$(awk -v a="$bestWall" -v b="$wall" 'BEGIN{print (b < a) ? b : a}')
    bestCpu=$(awk -v a="$bestCpu" -v b="$cpu" 'BEGIN{print (b < a) ? b : a}')
  done
  echo "$bestWall $bestCpu"
}

report() { printf '%-28s wall %6.3f s  cpu %6.3f s\n' "$1" $2; }
report "cat (1 file)" "$(best cat "$dir/day0.RSD")"
report "rsdtool info (1 file)" "$(best "$rsdtool" info "$dir/day0.RSD")"
report "rsdtool series ($files files)" "$(best "$rsdtool" series "$dir"/day*.RSD)"
report "rsdtool series, no site" "$(best "$rsdtool" series "$dir"/nosite*.RSD)"
report "rsdtool daily ($files files)" "$(best "$rsdtool" daily "$dir"/day*.RSD)"
report "numpy PAR+PPFD ($files files)" "$(best "$python" "$here/par_ppfd.py" "$dir"/day*.RSD)"
