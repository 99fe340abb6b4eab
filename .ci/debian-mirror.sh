#!/usr/bin/env bash
# Prints the Debian archive this machine's apt uses for bookworm (the first one found in
# /etc/apt/sources.list, *.list or deb822 *.sources), so the CI roots use the same mirror.
# APT_DIR reads another folder instead of /etc/apt (the tests do).
set -euo pipefail
suite=${1:-bookworm}
apt_dir=${APT_DIR:-/etc/apt}
shopt -s nullglob
for f in "$apt_dir/sources.list" "$apt_dir"/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  # deb [options] URI SUITE COMPONENT...
  url=$(awk -v suite="$suite" '
    $1 == "deb" {
      i = 2
      if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
      if ($(i + 1) == suite) { print $i; exit }
    }' "$f")
  if [ -n "$url" ]; then echo "$url"; exit 0; fi
done
for f in "$apt_dir"/sources.list.d/*.sources; do
  # Paragraphs of "Field: value" lines; a paragraph with Types deb and our suite names the URI.
  url=$(awk -v suite="$suite" '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " suite " ") && uri != "") { print uri; found = 1 }
      types = suites = uri = ""
    }
    /^[[:space:]]*$/ { flush(); if (found) exit; next }
    /^[[:space:]]*#/ { next }
    tolower($1) == "types:" { $1 = ""; types = $0 }
    tolower($1) == "suites:" { $1 = ""; suites = $0 }
    tolower($1) == "uris:" { uri = $2 }
    END { if (!found) flush() }' "$f" | head -n 1)
  if [ -n "$url" ]; then echo "$url"; exit 0; fi
done
echo "no apt source for $suite found" >&2
exit 1
