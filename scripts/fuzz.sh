#!/usr/bin/env bash
# Builds the fuzzers with clang (ASan + UBSan) and runs each for FUZZ_SECONDS seconds (default
# 30) on a generated seed corpus: fuzz_rsd_load on RSD bytes in memory, fuzz_rsd_stream on RSD
# files read through a small window, fuzz_profile on profiles and the settings read from them,
# fuzz_qs_reply on a sensor's replies to identification and measurement. Fails when one finds
# a crash, a leak or undefined behaviour; the input that did it is left in
# build/fuzz/<target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang++ >/dev/null || scripts/install-deps.sh
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DRAD_FUZZ=ON -DRAD_WITH_QT=OFF -DBUILD_TESTING=OFF -DRAD_BENCH=OFF -DRAD_WERROR=ON
targets=(fuzz_rsd_load fuzz_rsd_stream fuzz_profile fuzz_qs_reply)
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "${targets[@]}" fuzz_rsd_seeds \
  fuzz_qs_reply_seeds
"$build/fuzz/fuzz_rsd_seeds" "$build/corpus"
"$build/fuzz/fuzz_qs_reply_seeds" "$build/corpus-replies"
# A small station profile seeds the profile reader.
mkdir -p "$build/corpus-profiles"
printf '[DIR]\r\nRSD=/data/\r\n[INT]\r\nSTART=21600\r\nEND=64800\r\nINT=60\r\n[SITE]\r\nLAT=35\r\n' \
  >"$build/corpus-profiles/station.ini"
seeds() {
  case $1 in
    fuzz_profile) echo "$build/corpus-profiles" ;;
    fuzz_qs_reply) echo "$build/corpus-replies" ;;
    *) echo "$build/corpus" ;;
  esac
}
for target in "${targets[@]}"; do
  # Each target grows its own copy: the stream target reads its first byte as the window.
  mkdir -p "$build/corpus-$target"
  "$build/fuzz/$target" -max_total_time="${FUZZ_SECONDS:-30}" -max_len=32768 \
    -artifact_prefix="$build/$target-" -print_final_stats=1 "$build/corpus-$target" \
    "$(seeds "$target")"
done
