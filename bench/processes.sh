# Sourced by the CPU scripts: a scratch folder in $work, and the processes put
# in pids, stopped last-started first when the script ends (the clients before
# their server, so that none complains of a lost display).
work=$(mktemp -d)
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
