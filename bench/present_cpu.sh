#!/usr/bin/env bash
# CPU time per frame sent to a private Xvfb, the program's share (the benchmark's
# CPU column) and the X server's (from /proc), at scale 1 (through the socket and
# through shared memory) and at scales 2 and 3 (enlarged by the program, sent
# through shared memory). Composing a frame comes on top and costs the same at
# every scale (build/bench/glimora_bench, BM_FrameDefaultSkinAtScale has both).
# Usage: bench/present_cpu.sh [seconds per case]   Needs build/bench/present_bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-3}
bench=$root/build/bench/present_bench
[ -x "$bench" ] || { echo "build/bench/present_bench is missing: run scripts/setup" >&2; exit 1; }

work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")

ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }
ns_per_tick=$((1000000000 / $(getconf CLK_TCK)))
printf '%-22s %12s %12s %12s\n' case "program ns" "server ns" "total ns"
for case in "1/0 scale 1" "1/1 scale 1, MIT-SHM" "2/1 scale 2, MIT-SHM" "3/1 scale 3, MIT-SHM"; do
  args=${case%% *}
  before=$(ticks)
  line=$("$bench" --benchmark_filter="BM_PresentFrameAtScale/$args/" --benchmark_min_time="$seconds" 2>/dev/null |
         grep BM_)
  after=$(ticks)
  iterations=$(echo "$line" | awk '{print $NF}')
  program=$(echo "$line" | awk '{print $4}')
  server_ns=$(((after - before) * ns_per_tick / iterations))
  printf '%-22s %12s %12s %12s\n' "${case#* }" "$program" "$server_ns" "$((program + server_ns))"
done
