#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test; then builds the
# same with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs every test there too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DMOFURIN_WERROR=ON
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)")

mkdir -p build-sanitize
cmake -S . -B build-sanitize -G Ninja -DMOFURIN_WERROR=ON -DMOFURIN_SANITIZE=ON \
  > build-sanitize/configure.log 2>&1 || { cat build-sanitize/configure.log; exit 1; }
# The build runs the picture and sound generators, sanitized too.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build build-sanitize
(cd build-sanitize && ctest --output-on-failure --timeout 600 -j "$(nproc)")
