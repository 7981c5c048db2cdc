#!/usr/bin/env bash
# The whole console on a virtual screen with the simulated base station: log in, see the search find the
# base station and the main window come up; a second start brings the first to the front and ends.
# Arguments: the build folder and the source folder.
set -euo pipefail
build="$1"
source="$2"
work=$(mktemp -d)
key="e2e-$$"
cleanup() {
    kill "${console_pid:-}" "${sim_pid:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$build/tools/demo-setup/quorix-demo-setup" --data-dir "$work" --shipped "$source/data" --shipped "$build/data" \
    --demo "$source/data/demo"
"$build/tools/basestation-sim/quorix-basestation-sim" --data-dir "$work" --port 3 --keypads 60 \
    --offline 13,27,38,44,51 > "$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do grep -q ready "$work/sim.out" 2>/dev/null && break; sleep 0.1; done

"$build/src/app/quorix" --data-dir "$work" --data-root-ports-only --instance-key "$key" > "$work/console.out" 2>&1 &
console_pid=$!

# Without a window manager the newest top-level window has the keyboard.
timeout 20 xdotool search --sync --onlyvisible --name '^Operator login$' > /dev/null
sleep 0.5
xdotool type 'wrong'
xdotool key Return
# The wrong password is refused with a message; close it and give the right one.
timeout 10 xdotool search --sync --onlyvisible --name '^Notice$' > /dev/null
sleep 0.3
xdotool key Return
sleep 0.3
xdotool type '123456'
xdotool key Return

# The search finds the simulator on COM3 and calls 60 keypads at 30 ms each: the main window follows.
timeout 30 xdotool search --sync --onlyvisible --name '^Quorix conference voting$' > /dev/null
kill -0 "$console_pid"

# A second start ends at once and leaves the first running.
start=$(date +%s)
timeout 15 "$build/src/app/quorix" --data-dir "$work" --data-root-ports-only --instance-key "$key"
[ $(( $(date +%s) - start )) -lt 10 ]
kill -0 "$console_pid"
echo "console started, logged in, reached the main window; a second start ended"
