#!/usr/bin/env bash
# CPU used by an idle KOBRIX program over 10 s, as a percentage of one core.
#   bench/idle_cpu.sh [program] [after-stop]
# program: wait_loop_program (default: spends its life in wait_100ms),
#          kobrix_empty (the idle loop before Start),
#          input_wait_program (waits in line input, caret blinking),
#          pointing_wait_program (a drawing tool waits for its first point),
#          dpi_calculator (with after-stop: paces its own loop), ...
# after-stop: press Stop (key C) first and measure the program after it.
# Prints the program's own CPU and the wineserver's share separately.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
program=${1:-wait_loop_program}
mode=${2:-}
seconds=${KBX_BENCH_SECONDS:-10}

"$root/scripts/deps.sh"
source "$root/scripts/display.sh"
trap 'kill "$pid" 2>/dev/null || true; kbx_stop_all' EXIT
pid=""

kbx_build_win64 "$root" "$build" "$program" post_key

kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
wine "$build/win64/bin/$program.exe" >/dev/null 2>&1 &
pid=$!
sleep 5   # start-up, drop animation, setup
if [ "$mode" = "after-stop" ]; then
  wine "$build/win64/bin/post_key.exe" kobrix_mw0 67 >/dev/null 2>&1   # 'C'
  sleep 1
fi

# The Windows process is a Linux process under Wine; find it by name.
winpid=$(pgrep -f "$program.exe" | head -1)
server=$(pgrep -n -f "wineserver")   # the newest: ours
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
p0=$(ticks "$winpid"); s0=$(ticks "$server")
sleep "$seconds"
p1=$(ticks "$winpid"); s1=$(ticks "$server")

awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$seconds" -v name="$program" -v mode="${mode:-idle}" 'BEGIN {
  printf "%s (%s): program %.2f %% of one core, wineserver %.2f %%, over %d s\n",
         name, mode, 100 * p / hz / t, 100 * s / hz / t, t }'
