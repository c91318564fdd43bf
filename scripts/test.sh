#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test; checks the
# Debian package made from that build; then builds the same with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ and
# runs every test there too; last, fuzzes the readers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DMOFURIN_WERROR=ON
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)")

bash tests/package/check.sh build

mkdir -p build-sanitize
cmake -S . -B build-sanitize -G Ninja -DMOFURIN_WERROR=ON -DMOFURIN_SANITIZE=ON \
  > build-sanitize/configure.log 2>&1 || { cat build-sanitize/configure.log; exit 1; }
# The build runs the picture and sound generators, sanitized too.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build build-sanitize
# A sanitized careful run of ten whole games can take most of ten minutes on a
# busy machine: the timeout only catches a hang.
(cd build-sanitize && ctest --output-on-failure --timeout 1200 -j "$(nproc)")

# Fuzzing: the readers of save files, kiro.txt, the "write" notation, the
# link's messages and bout records, and of what strangers send in an internet
# bout (meeting place notes, the sealed stream, invitation codes, server
# addresses), each for a bounded time from the seed corpus in the
# repository (new finds stay in build-fuzz/corpus/, outside the sources).
mkdir -p build-fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DMOFURIN_FUZZ=ON -DMOFURIN_TESTS=OFF \
  > build-fuzz/configure.log 2>&1 || { cat build-fuzz/configure.log; exit 1; }
cmake --build build-fuzz --target fuzz-targets
for reader in save_file hall_of_fame sequential_file link_messages host_announcement bout_record \
  invitation_note sealed_stream invitation_code server_urls; do
  corpus="build-fuzz/corpus/$reader"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$reader"/* "$corpus"/
  echo "fuzzing the $reader reader for ${MOFURIN_FUZZ_SECONDS:-15} s"
  build-fuzz/bin/fuzz-"$reader" -max_total_time="${MOFURIN_FUZZ_SECONDS:-15}" -print_final_stats=1 "$corpus" \
    > "build-fuzz/$reader.log" 2>&1 || { tail -40 "build-fuzz/$reader.log"; exit 1; }
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec" "build-fuzz/$reader.log"
done
