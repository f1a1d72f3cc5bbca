#!/usr/bin/env bash
# Installs what is missing, builds the program (the two programs, the help texts and the user
# guide; no tests or benchmarks) in Release and starts it from its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DDEDADED_BUILD_TESTS=OFF -DDEDADED_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)"
cd build/bin && exec ./DedadedEraro "$@"
