#!/usr/bin/env bash
# CPU time, wake-ups and memory of the program beside xeyes, each on its own
# private Xvfb, so that each X server's share is its client's: the program on
# the default skin, the program on a 1024x768 skin with 16 eyes, on the alpha
# skin ghost (a layered window, here without a compositor), and xeyes,
# each with the pointer at rest and then moving 50 times a second (real motion,
# which xeyes needs). CPU is summed over every thread from the scheduler's
# nanosecond counts; wake-ups are voluntary context switches a second. A
# scaled desktop: GDK_SCALE=2 bench/cpu_usage.sh. Each measurement lasts the
# given seconds (30).
# Usage: bench/cpu_usage.sh [seconds [program]]    The program defaults to
# build/glimora (scripts/setup); another build can be measured the same way.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
program=${2:-$root/build/glimora}
[ -x "$program" ] || { echo "$program is missing: run scripts/setup" >&2; exit 1; }

. "$root/bench/processes.sh"
. "$root/bench/xvfb_measures.sh"

# The large face: 16 white eyes, each with its marker, on a 1024x768 picture.
large_skin() {
  local draw=() i cx cy
  for ((i = 0; i < 16; i++)); do
    cx=$((64 + (i % 8) * 128)) cy=$((192 + (i / 8) * 384))
    draw+=(-fill white -draw "rectangle $((cx - 40)),$((cy - 40)) $((cx + 40)),$((cy + 40))")
    draw+=(-fill magenta -draw "point $cx,$cy")
  done
  mkdir -p "$1"
  convert -size 1024x768 xc:'rgb(200,160,60)' "${draw[@]}" -type TrueColor "BMP3:$1/main.bmp"
  convert -size 1024x768 xc:'rgb(240,240,255)' -type TrueColor "BMP3:$1/eyebg.bmp"
}
cp -r "$root/skins" "$work/"
large_skin "$work/skins/large"

# Starts the program in the work folder on a skin, its face centred on a point.
ours=
start_ours() {
  printf '[global]\nx=%d\ny=%d\nskin=%s\n' "$2" "$3" "$1" >"$work/eyes.ini"
  (cd "$work" && exec "$program") &
  ours=$!
  pids+=($ours)
  xdotool search --sync --onlyvisible --pid "$ours" >/dev/null
}
start_theirs() {
  xeyes -geometry 200x150+1060+40 &
  ours=$!
  pids+=($ours)
  xdotool search --sync --onlyvisible --name '^xeyes$' >/dev/null
}

# Ends the measured client and its server before the next pair starts.
stop_pair() {
  local pid
  for pid in "$ours" "$server"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}

rows=()
# One phase of the client in $ours on its server: the pointer at rest or moving.
phase() {
  local who=$1 skin=$2 pointer=$3 a c w start end
  xdotool mousemove 640 600
  sleep 2
  a=$(cpu_ns "$ours"); c=$(cpu_ns "$server"); w=$(switches "$ours"); start=$(date +%s.%N)
  if [ "$pointer" = moving ]; then moves; else sleep "$seconds"; fi
  end=$(date +%s.%N)
  rows+=("$who $skin $pointer $(percent "$(cpu_ns "$ours")" "$a" "$end" "$start") \
$(percent "$(cpu_ns "$server")" "$c" "$end" "$start") $(rate "$(switches "$ours")" "$w" "$end" "$start") $(rss_mb "$ours")")
}

start_server
start_ours "" 400 300
phase glimora default rest
phase glimora default moving
stop_pair
start_server
start_ours large 640 600
phase glimora large rest
phase glimora large moving
stop_pair
start_server
start_ours ghost 400 300
phase glimora ghost rest
phase glimora ghost moving
stop_pair
start_server
start_theirs
phase xeyes - rest
phase xeyes - moving

printf '%-8s %-8s %-8s %8s %9s %10s %8s\n' program skin pointer "CPU %" "server %" "wake-ups/s" "RSS MB"
for row in "${rows[@]}"; do
  read -r who skin pointer cpu server_cpu wakeups rss <<<"$row"
  printf '%-8s %-8s %-8s %8s %9s %10s %8s\n' "$who" "$skin" "$pointer" "$cpu" "$server_cpu" "$wakeups" "$rss"
done
