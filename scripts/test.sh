#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test:
#   0. the clang-format check (RAD_CHECK_FORMAT=0 skips it),
#   1. the release build (with the Qt programs, as packaged) and all its tests,
#   2. every test but the screenshots under AddressSanitizer and UBSan, the Qt ones included,
#   2b. the threaded engine, link and telemetry tests under ThreadSanitizer,
#   3. a short fuzzing run of the RSD readers, the profile reader and the sensor reply parser.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# Builds in build folder $1 only the programs of the tests that the ctest options after it
# select (a test program is named as its test; the scripted tests are not among them).
build_tests() {
  local dir=$1 known name wanted=()
  shift
  known=$(ninja -C "$dir" -t targets all | sed -n 's/^\([^:]*\): phony$/\1/p')
  for name in $(ctest --test-dir "$dir" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'); do
    grep -qx -- "$name" <<<"$known" && wanted+=("$name")
  done
  cmake --build "$dir" -j "$jobs" --target "${wanted[@]}"
}

echo "== format check"
scripts/check-format.sh

# Warnings are errors in these builds only; users and packagers build without -Werror.
echo "== build and test (release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAD_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure

# The Qt code too: graph, desktop and viewer tests on the offscreen platform. Left out are the
# screenshots (pictures for people), the second runs of a Qt test under another language or
# font, whose code the first run already reaches, and the minutes of the broker tests, whose
# station code the engine and telemetry tests reach.
echo "== sanitizer build (ASan + UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAD_SANITIZE=ON -DRAD_WERROR=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan -j "$jobs" -LE 'screenshot|broker' -E '^desktop_.*_(ja|liberation)$' \
  --output-on-failure

echo "== thread sanitizer build (engine, link and telemetry tests, no Qt)"
tsan_tests=(-L 'engine|link|telemetry' -LE 'slow|broker')
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAD_WITH_QT=OFF -DRAD_TSAN=ON -DRAD_WERROR=ON
build_tests build/tsan "${tsan_tests[@]}"
# The scripted qs-sim tests among them run the simulator program itself.
cmake --build build/tsan -j "$jobs" --target qs-sim
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build/tsan -j "$jobs" "${tsan_tests[@]}" --output-on-failure

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzzing"
  FUZZ_SECONDS=${FUZZ_SECONDS:-30} scripts/fuzz.sh
fi
echo "== all tests passed"
