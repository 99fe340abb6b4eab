#!/usr/bin/env bash
# Builds the RSD reader's fuzzers with clang (ASan + UBSan) and runs each for FUZZ_SECONDS
# seconds (default 60) on a generated seed corpus: fuzz_rsd_load on bytes in memory,
# fuzz_rsd_stream on files read through a small window. Fails when one finds a crash, a leak
# or undefined behaviour; the input that did it is left in build/fuzz/<target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang++ >/dev/null || scripts/install-deps.sh
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DRAD_FUZZ=ON -DRAD_WITH_QT=OFF -DBUILD_TESTING=OFF -DRAD_BENCH=OFF -DRAD_WERROR=ON
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzz_rsd_load fuzz_rsd_stream fuzz_rsd_seeds
corpus=$build/corpus
"$build/fuzz/fuzz_rsd_seeds" "$corpus"
for target in fuzz_rsd_load fuzz_rsd_stream; do
  # Each target grows its own copy: the stream target reads its first byte as the window.
  mkdir -p "$build/corpus-$target"
  "$build/fuzz/$target" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=32768 \
    -artifact_prefix="$build/$target-" -print_final_stats=1 "$build/corpus-$target" "$corpus"
done
