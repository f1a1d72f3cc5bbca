#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the desktop program from its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
if [ -x build/bin/DedadedEraro ]; then
    cd build/bin && exec ./DedadedEraro "$@"
fi
echo "Built. The desktop program is not part of this build yet; the tools are in build/bin:"
ls build/bin
