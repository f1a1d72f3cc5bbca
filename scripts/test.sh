#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DDEDADED_WERROR="${DEDADED_WERROR:-OFF}"
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
