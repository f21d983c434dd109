#!/usr/bin/env bash
# CPU time and memory of the program beside xeyes on a private Xvfb: first with
# the pointer at rest, then with it moving 50 times a second (real motion, which
# xeyes needs). Both run at once; each phase lasts the given seconds (30). The
# X server's own share, for both together, is listed too: it does the drawing
# that a scaled desktop adds (GDK_SCALE=2 bench/cpu_usage.sh).
# Usage: bench/cpu_usage.sh [seconds]    Needs build/glimora (scripts/setup).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
program=$root/build/glimora
[ -x "$program" ] || { echo "build/glimora is missing: run scripts/setup" >&2; exit 1; }

work=$(mktemp -d)
pids=()
# The clients before their server, so that none complains of a lost display.
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
server=$!
pids+=($server)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")

cp -r "$root/skins" "$work/"
printf '[global]\nx=400\ny=300\n' >"$work/eyes.ini"
(cd "$work" && exec "$program") &
ours=$!
pids+=($ours)
xeyes -geometry 200x150+800+225 &
theirs=$!
pids+=($theirs)
xdotool search --sync --onlyvisible --name '^eyes$' >/dev/null
xdotool search --sync --onlyvisible --name '^xeyes$' >/dev/null
xdotool mousemove 640 600
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)

# One xdotool run: back and forth, 50 relative moves a second.
moves() {
  local args=() i
  for ((i = 0; i < seconds * 50; i++)); do
    if (((i / 25) % 2)); then args+=(mousemove_relative -- -8 -3); else args+=(mousemove_relative -- 8 3); fi
    args+=(sleep 0.02)
  done
  xdotool "${args[@]}"
}

declare -A result
phase() {
  local name=$1 a b start end
  a=$(ticks "$ours"); b=$(ticks "$theirs"); c=$(ticks "$server"); start=$(date +%s.%N)
  if [ "$name" = moving ]; then moves; else sleep "$seconds"; fi
  end=$(date +%s.%N)
  result[$name,glimora]=$(echo "$(ticks "$ours") $a $end $start $hz" | awk '{printf "%.2f", ($1 - $2) / $5 / ($3 - $4) * 100}')
  result[$name,xeyes]=$(echo "$(ticks "$theirs") $b $end $start $hz" | awk '{printf "%.2f", ($1 - $2) / $5 / ($3 - $4) * 100}')
  result[$name,Xvfb]=$(echo "$(ticks "$server") $c $end $start $hz" | awk '{printf "%.2f", ($1 - $2) / $5 / ($3 - $4) * 100}')
}
phase idle
phase moving

printf '%-8s %-8s %8s %8s\n' program pointer "CPU %" "RSS MB"
for who in glimora xeyes Xvfb; do
  pid=$ours; [ "$who" = xeyes ] && pid=$theirs; [ "$who" = Xvfb ] && pid=$server
  for name in idle moving; do
    printf '%-8s %-8s %8s %8s\n' "$who" "$name" "${result[$name,$who]}" "$(rss_mb "$pid")"
  done
done
