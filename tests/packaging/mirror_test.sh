#!/usr/bin/env bash
# The CI roots take their Debian archive from the host's apt sources: one-line .list files
# (with and without options) and deb822 .sources paragraphs, where only the bookworm suite of a
# "deb" entry counts (not deb-src, not bookworm-security).
set -euo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

# expect NAME EXPECTED_URL FILE=CONTENT...   (EXPECTED_URL "-" means: no archive found)
expect() {
  local name=$1 want=$2 got
  shift 2
  rm -rf "$dir/apt" && mkdir -p "$dir/apt/sources.list.d"
  for entry in "$@"; do printf '%s\n' "${entry#*=}" >"$dir/apt/${entry%%=*}"; done
  got=$(APT_DIR="$dir/apt" "$script" bookworm 2>/dev/null) || got=-
  if [ "$got" != "$want" ]; then
    echo "FAIL $name: got '$got', want '$want'"
    failures=$((failures + 1))
  fi
}

expect "one-line list" http://a.example/debian \
  "sources.list=deb http://a.example/debian bookworm main"
expect "options in brackets" http://b.example/debian \
  "sources.list=deb [arch=amd64 signed-by=/k.gpg] http://b.example/debian bookworm main contrib"
expect "security and deb-src skipped" http://c.example/debian \
  "sources.list=deb-src http://x.example/debian bookworm main
deb http://y.example/debian-security bookworm-security main
deb http://c.example/debian bookworm main"
expect "list in sources.list.d" http://d.example/debian \
  "sources.list.d/extra.list=# comment
deb http://d.example/debian bookworm main"
expect "deb822 with several suites" http://e.example/debian \
  "sources.list.d/debian.sources=Types: deb
URIs: http://e.example/debian
Suites: bookworm bookworm-updates
Components: main"
expect "deb822 security paragraph first" http://f.example/debian \
  "sources.list.d/debian.sources=Types: deb
URIs: http://f.example/debian-security
Suites: bookworm-security
Components: main

# the archive
Types: deb deb-src
URIs: http://f.example/debian
Suites: bookworm
Components: main"
expect "deb822 deb-src only" - \
  "sources.list.d/src.sources=Types: deb-src
URIs: http://g.example/debian
Suites: bookworm"
expect "other release only" - "sources.list=deb http://h.example/debian trixie main"
expect "no sources" -

[ "$failures" -eq 0 ] && echo "all mirror cases passed"
exit "$failures"
