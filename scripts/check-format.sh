#!/usr/bin/env bash
# Checks that every C++ file of the tree follows the checked-in .clang-format; lists the files
# that do not and fails. RAD_CHECK_FORMAT=0 skips the check.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${RAD_CHECK_FORMAT:-1}" = "0" ]; then
  echo "format check skipped (RAD_CHECK_FORMAT=0)"
  exit 0
fi
clang_format=${CLANG_FORMAT:-clang-format}
# The sources, not the build trees (the same folders .gitignore leaves out).
mapfile -d '' files < <(find . \( -path './build*' -o -path ./out -o -path ./.cache -o -path ./.git \) \
  -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print0 | sort -z)
# One run over all files; each file that would change is named in a "file:line:col: error" line.
mapfile -t bad < <("$clang_format" --dry-run -Werror "${files[@]}" 2>&1 |
  sed -n 's|^\(\./[^:]*\):[0-9]*:[0-9]*: error:.*|\1|p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  echo "not formatted with clang-format (run: clang-format -i FILE):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format check: ${#files[@]} files follow .clang-format"
