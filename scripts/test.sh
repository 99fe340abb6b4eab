#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test:
#   0. the clang-format check (RAD_CHECK_FORMAT=0 skips it),
#   1. the release build (with the Qt programs, as packaged) and all its tests,
#   2. the core, link and controller tests under AddressSanitizer and UBSan,
#   2b. the threaded engine, link and telemetry tests under ThreadSanitizer,
#   3. a short fuzzing run of the RSD reader.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "== format check"
scripts/check-format.sh

# Warnings are errors in these builds only; users and packagers build without -Werror.
echo "== build and test (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAD_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure

echo "== sanitizer build (ASan + UBSan, no Qt)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAD_WITH_QT=OFF -DRAD_SANITIZE=ON -DRAD_WERROR=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j "$jobs" --output-on-failure

echo "== thread sanitizer build (engine, link and telemetry tests, no Qt)"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAD_WITH_QT=OFF -DRAD_TSAN=ON -DRAD_WERROR=ON
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build/tsan -j "$jobs" -L 'engine|link|telemetry' -LE slow --output-on-failure

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh
fi
echo "== all tests passed"
