# Sourced by the CPU scripts of a program on Xvfb (after processes.sh): a
# private X server, the pointer moving, and the figures read from /proc.

# A private X server for the next client; its process id in $server.
server=
start_server() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
  server=$!
  pids+=($server)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(head -n1 "$work/display")
}
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{sum += $1} END {printf "%d", sum}'; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt/ {sum += $2} END {printf "%d", sum}'; }
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

# One xdotool run: back and forth, 50 relative moves a second.
moves() {
  local args=() i
  for ((i = 0; i < seconds * 50; i++)); do
    if (((i / 25) % 2)); then args+=(mousemove_relative -- -8 -3); else args+=(mousemove_relative -- 8 3); fi
    args+=(sleep 0.02)
  done
  xdotool "${args[@]}"
}

percent() { echo "$1 $2 $3 $4" | awk '{printf "%.3f", ($1 - $2) / 1e9 / ($3 - $4) * 100}'; }
rate() { echo "$1 $2 $3 $4" | awk '{printf "%.1f", ($1 - $2) / ($3 - $4)}'; }
