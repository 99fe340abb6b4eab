#!/usr/bin/env bash
# What .ci/run needs on the host: debootstrap to build the fresh Debian 12 roots.
set -euo pipefail
command -v debootstrap >/dev/null && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends debootstrap
