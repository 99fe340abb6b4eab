#!/usr/bin/env bash
# Installs what is needed, builds the release tree and runs the main job:
#   Radlog on its simulated sensors (a window when $DISPLAY is set, radlog-station otherwise),
#   or, in a build without Radlog, rsdtool on a generated day file.
# Extra arguments go to the program that runs; BUILD_DIR chooses another build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
build=${BUILD_DIR:-build/release}

scripts/install-deps.sh

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs"

radlog="$build/acquisition/app/radlog"
station="$build/acquisition/app/radlog-station"
if [ -x "$radlog" ] && [ -n "${DISPLAY:-}" ]; then
  exec "$radlog" --demo "$@"
fi
if [ -x "$station" ]; then
  # No display (or no Qt): about a minute of the station's demo, then a clean stop (SIGINT).
  status=0
  timeout --signal=INT "${RUN_SECONDS:-60}" "$station" --demo --interval-seconds 10 "$@" ||
    status=$?
  [ "$status" -eq 124 ] && status=0  # timeout's own code: the demo ran its full minute
  exit "$status"
fi

rsdtool="$build/tools/rsdtool/rsdtool"
demo_dir="$build/demo"
mkdir -p "$demo_dir"
day="$demo_dir/$(date +%Y%m%d).RSD"
"$rsdtool" demo "$day"
"$rsdtool" info "$day"
echo
# Record 36 of the 06:00 start every 10 minutes is noon, the brightest of the day.
"$rsdtool" report "$@" "$day" 36
