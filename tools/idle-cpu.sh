#!/usr/bin/env bash
# Reports the share of one core the game uses while a screen sits idle.
#   tools/idle-cpu.sh [SECONDS]          the title screen of the real game
#   tools/idle-cpu.sh SECONDS SCRIPT     the screen a driver script leads to,
#                                        in real windows (mofurin-drive --qt)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
script=${2:-}
[ -x build/bin/mofurin ] || { echo "build the game first (bash scripts/build.sh)"; exit 1; }

if [ -n "$script" ]; then
  full=$(mktemp)
  { cat "$script"; echo "wait $(( (seconds + 10) * 1000 ))"; } > "$full"
  pattern="^build/bin/mofurin-drive --qt"
  xvfb-run -a build/bin/mofurin-drive --qt "$full" > /dev/null 2>&1 &
else
  pattern="^build/bin/mofurin$"
  xvfb-run -a build/bin/mofurin > /dev/null 2>&1 &
fi
wrapper=$!
trap 'kill $wrapper 2>/dev/null; pkill -f "$pattern" 2>/dev/null || true; rm -f "${full:-}"' EXIT
pid=
for _ in $(seq 50); do
  pid=$(pgrep -f "$pattern" | head -n 1 || true)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "the game did not start"; exit 1; }
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
awk -v d=$((after - before)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle: %.2f%% of one core over %d s (%d ticks)\n", 100 * d / hz / s, s, d }'
