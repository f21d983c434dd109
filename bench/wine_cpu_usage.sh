#!/usr/bin/env bash
# CPU time and wake-ups of the Windows program under Wine beside the Linux
# program, each on its own private Xvfb, on the default skin. Under Wine the
# program's share is split between its own process and wineserver, through
# which every Win32 call that waits or reaches the system goes; both are
# measured, with the X server (wineserver serves every Wine process of the
# prefix, so its figures include Wine's own). Three phases: the pointer at
# rest since the start (raw input is trusted until moves come without it, so
# the timer rests: one look a second), moving 50 times a second, and at rest
# after two more moves from rest (the timer rests where raw input came for
# them; where it did not, as under Wine 8, the loop alone runs the timer at
# its full pace). Figures as in bench/cpu_usage.sh.
# Usage: bench/wine_cpu_usage.sh [seconds [glimora.exe [glimora]]]
# The programs default to build-windows/glimora.exe (scripts/setup windows)
# and build/glimora (scripts/setup); Wine runs in a fresh prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
exe=${2:-$root/build-windows/glimora.exe}
program=${3:-$root/build/glimora}
[ -f "$exe" ] || { echo "$exe is missing: run scripts/setup windows" >&2; exit 1; }
[ -x "$program" ] || { echo "$program is missing: run scripts/setup" >&2; exit 1; }

. "$root/bench/processes.sh"
. "$root/bench/xvfb_measures.sh"
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Every Wine process of the prefix ends with its server, before the X servers go.
trap '"$root/tests/e2e/wine/wineserver" -k 2>/dev/null || true; cleanup' EXIT
"$root/tests/e2e/wine/make-prefix" "$WINEPREFIX"
cp -r "$root/skins" "$work/"
printf '[global]\nx=400\ny=300\nskin=\n' >"$work/eyes.ini.start"

# The prefix's own server, found by the prefix in its environment.
wine_server_pid() {
  local pid
  for pid in $(pgrep -x 'wineserver(64)?'); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}

# Starts a program in the work folder, the pointer already where it stays;
# its process id in $ours (Wine's windows carry their process's id).
ours=
start_program() {
  cp "$work/eyes.ini.start" "$work/eyes.ini"
  xdotool mousemove 640 600
  (cd "$work" && exec "$@") &
  pids+=($!)
  ours=$(xdotool getwindowpid "$(xdotool search --sync --onlyvisible --name '^eyes$' | head -n1)")
}

# Two moves, each from a rest long enough for the timer to rest.
moves_from_rest() {
  sleep 1.5
  xdotool mousemove_relative -- 20 10
  sleep 1.5
  xdotool mousemove_relative -- -20 -10
}

rows=()
# One phase: the pointer resting or moving; wineserver's figures when its id is given.
phase() {
  local who=$1 pointer=$2 wine=${3:-} a w s x ws start end
  sleep 2
  a=$(cpu_ns "$ours"); w=$(switches "$ours"); x=$(cpu_ns "$server")
  s=0; ws=0
  [ -z "$wine" ] || { s=$(cpu_ns "$wine"); ws=$(switches "$wine"); }
  start=$(date +%s.%N)
  if [ "$pointer" = moving ]; then moves; else sleep "$seconds"; fi
  end=$(date +%s.%N)
  local wine_cpu=- wine_wakeups=-
  if [ -n "$wine" ]; then
    wine_cpu=$(percent "$(cpu_ns "$wine")" "$s" "$end" "$start")
    wine_wakeups=$(rate "$(switches "$wine")" "$ws" "$end" "$start")
  fi
  rows+=("$who $pointer $(percent "$(cpu_ns "$ours")" "$a" "$end" "$start") $wine_cpu \
$(percent "$(cpu_ns "$server")" "$x" "$end" "$start") $(rate "$(switches "$ours")" "$w" "$end" "$start") $wine_wakeups")
}

start_server
start_program wine "$exe"
wine=$(wine_server_pid)
phase glimora.exe rest-start "$wine"
phase glimora.exe moving "$wine"
moves_from_rest
phase glimora.exe rest "$wine"
"$root/tests/e2e/wine/wineserver" -k
kill "$server"; wait "$server" 2>/dev/null || true

start_server
start_program "$program"
phase glimora rest-start
phase glimora moving
moves_from_rest
phase glimora rest

printf '%-11s %-10s %8s %12s %9s %10s %14s\n' program pointer "CPU %" "wineserver %" "X %" "wake-ups/s" "wineserver w/s"
for row in "${rows[@]}"; do
  read -r who pointer cpu wine_cpu x_cpu wakeups wine_wakeups <<<"$row"
  printf '%-11s %-10s %8s %12s %9s %10s %14s\n' "$who" "$pointer" "$cpu" "$wine_cpu" "$x_cpu" "$wakeups" "$wine_wakeups"
done
