#!/bin/sh
# A hand-edited profile with wavelength ranges up to INT_MAX: one demo cycle in bounded memory
# ends normally and logs the refused hourly CSV instead of growing until it aborts.
set -eu
radlog="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '[SAVE]\nPITCH=1\nRIGHT=2147483647\n[INTEG]\nRIGHT=2147483647\n[GRAPH]\nRIGHT=2147483647\n' \
  > "$dir/radlog.ini"
out=$(prlimit --as=2000000000 "$radlog" --headless --demo --manual --profile "$dir/radlog.ini" 2>&1)
echo "$out"
echo "$out" | grep -q "ERROR CSV SAVE"
echo "$out" | grep -q "APP CLOSE"
