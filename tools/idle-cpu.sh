#!/usr/bin/env bash
# Starts the game under Xvfb, lets it settle on the title screen, then reports
# the share of one core it used while idle over SECONDS (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
game=build/bin/mofurin
[ -x "$game" ] || { echo "build the game first (bash scripts/build.sh)"; exit 1; }

xvfb-run -a "$game" > /dev/null 2>&1 &
wrapper=$!
trap 'kill $wrapper 2>/dev/null; pkill -f "^$game" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  pid=$(pgrep -f "^$game" | head -n 1 || true)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "${pid:-}" ] || { echo "the game did not start"; exit 1; }
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
awk -v d=$((after - before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle title screen: %.2f%% of one core over %d s (%d ticks)\n", 100 * d / hz / s, s, d }'
