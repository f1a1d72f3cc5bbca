#!/usr/bin/env bash
# install-and-check.sh BUILD_DIR CHECK_SCRIPT: cmake --install into a scratch prefix, then check.
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
bash "$2" "$prefix"
