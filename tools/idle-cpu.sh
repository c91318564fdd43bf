#!/usr/bin/env bash
# Reports the share of one core the game uses while a screen sits idle, and
# how often it wakes up.
#   tools/idle-cpu.sh [SECONDS]          the title screen of the real game
#   tools/idle-cpu.sh SECONDS SCRIPT     the screen a driver script leads to,
#                                        in real windows (mofurin-drive --qt)
# MOFURIN_BUILD names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
script=${2:-}
bin=${MOFURIN_BUILD:-build}/bin
[ -x "$bin/mofurin" ] || { echo "build the game first (bash scripts/build.sh)"; exit 1; }

if [ -n "$script" ]; then
  full=$(mktemp)
  { cat "$script"; echo "wait $(( (seconds + 10) * 1000 ))"; } > "$full"
  program=$bin/mofurin-drive
  xvfb-run -a "$program" --qt "$full" > /dev/null 2>&1 &
else
  program=$bin/mofurin
  xvfb-run -a "$program" > /dev/null 2>&1 &
fi
wrapper=$!

# The game is a descendant of the xvfb-run we started; only it (or the
# wrapper, when the game never started) is ended, by its process id.
descendants() {
  local p
  for p in $(pgrep -P "$1" || true); do
    echo "$p"
    descendants "$p"
  done
}
pid=
for _ in $(seq 50); do
  for p in $(descendants "$wrapper"); do
    if [ "$(readlink -f "/proc/$p/exe" 2>/dev/null)" = "$(readlink -f "$program")" ]; then pid=$p; fi
  done
  [ -n "$pid" ] && break
  sleep 0.1
done
# Ending the game lets xvfb-run end its X server; ending xvfb-run instead
# would leave that server running.
finish() {
  if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null || true; else kill "$wrapper" 2>/dev/null || true; fi
  wait "$wrapper" 2>/dev/null || true
  rm -f "${full:-}"
}
trap finish EXIT
[ -n "$pid" ] || { echo "the game did not start"; exit 1; }
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# Every time a thread of the game wakes up it is switched in: the context
# switches of all its threads count the wake-ups.
wakeups() { cat /proc/"$pid"/task/*/status | awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
hz=$(getconf CLK_TCK)
before=$(ticks)
woken=$(wakeups)
sleep "$seconds"
after=$(ticks)
awake=$(wakeups)
awk -v d=$((after - before)) -v w=$((awake - woken)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle: %.2f%% of one core, %.1f wake-ups a second over %d s (%d ticks)\n", 100 * d / hz / s, w / s, s, d }'
