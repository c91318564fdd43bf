#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
# Extra arguments go to CMake's configure step (for example -DMOFURIN_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build
cmake -S . -B build -G Ninja "$@" > build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
cmake --build build
