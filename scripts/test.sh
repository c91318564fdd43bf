#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DMOFURIN_WERROR=ON
cd build
ctest --output-on-failure --timeout 300 -j "$(nproc)"
