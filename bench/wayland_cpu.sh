#!/usr/bin/env bash
# CPU time of the program and of the compositor on a headless Wayland desktop
# (gnome-shell with our extension, or kwin_wayland with our script), with the
# pointer at rest and moving 50 times a second over a native window: without
# the program (the compositor's own cost), with it reading the X server only (as
# on X11: it sees nothing over the native window), and with it using its helper.
# Compare with bench/cpu_usage.sh (the program on Xvfb). Each phase lasts the
# given seconds.
# Usage: bench/wayland_cpu.sh gnome|kde [seconds]
#   Needs build/glimora and the Wayland test packages (scripts/setup default --wayland-tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=$1 seconds=${2:-20}
tools=$root/tests/e2e/wayland
. "$root/bench/processes.sh"

if [ "$kind" = gnome ]; then
  cmake --install "$root/build" --prefix "$work/prefix" >/dev/null
  setsid "$tools/compositor" gnome "$work/session" "$work/prefix/share" &
else
  setsid "$tools/compositor" kde "$work/session" &
fi
pids+=($!)
for _ in $(seq 900); do [ -s "$work/session/session.env" ] && break; sleep 0.1; done
set -a; . "$work/session/session.env"; set +a
compositor=$(pgrep -s "${pids[0]}" -x "$([ "$kind" = gnome ] && echo gnome-shell || echo kwin_wayland)")
cd "$work"
/usr/bin/python3 "$tools/native_window.py" >/dev/null &
pids+=($!)
sleep 2
[ "$kind" = gnome ] && "$tools/gnome_input.py" key 0xff1b
if [ "$kind" = kde ]; then
  exec 3> >(exec "$root/build/tests/e2e/wayland/fake_pointer")
else
  exec 3> >(exec "$tools/gnome_input.py" pointer)
fi
echo "640 600" >&3

move() {  # 50 moves a second for the phase's length
  local i x=640
  for ((i = 0; i < seconds * 50; i++)); do
    if (((i / 25) % 2)); then x=$((x - 8)); else x=$((x + 8)); fi
    echo "$x 600" >&3
    sleep 0.02
  done
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
percent() { echo "$1 $2 $3 $4 $hz" | awk '{printf "%.2f", ($1 - $2) / $5 / ($3 - $4) * 100}'; }
phase() {  # phase NAME PROGRAM_PID (0: none)
  local name=$1 program=$2 c p start end
  c=$(ticks "$compositor"); [ "$program" = 0 ] || p=$(ticks "$program"); start=$(date +%s.%N)
  if [ "${name#*,}" = moving ]; then move; else sleep "$seconds"; fi
  end=$(date +%s.%N)
  printf '%-22s compositor %6s %%' "$name" "$(percent "$(ticks "$compositor")" "$c" "$end" "$start")"
  [ "$program" = 0 ] && echo || echo "   glimora $(percent "$(ticks "$program")" "$p" "$end" "$start") %"
}
phase "no program,rest" 0
phase "no program,moving" 0
cp -r "$root/skins" "$work/"
printf '[global]\nx=400\ny=300\n' >"$work/eyes.ini"
for session in x11 wayland; do
  XDG_SESSION_TYPE=$session XDG_CURRENT_DESKTOP=$([ "$kind" = gnome ] && echo GNOME || echo KDE) \
    "$root/build/glimora" 2>/dev/null &
  program=$!
  pids+=($program)
  sleep 3
  label="X server only"; [ $session = wayland ] && label="helper"
  phase "$label,rest" "$program"
  phase "$label,moving" "$program"
  kill "$program"; wait "$program" 2>/dev/null || true
done
