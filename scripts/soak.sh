#!/usr/bin/env bash
# Replays seeded random interleavings of what a user does and what a program
# calls, each run ending in Exit (Esc) at a random moment, and prints how
# they ended (runs, hangs, crashes, worst time from Esc to the process's end):
#   scripts/soak.sh [runs]      that many seeds from a random first one (100)
#   scripts/soak.sh --seed N    replays seed N
# KBX_SOAK_FIRST fixes the first seed, KBX_SOAK_PARALLEL the runs at a time.
# Builds what it needs in $KBX_BUILD_DIR/win64 (default build/win64).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}

if [ "${1:-}" = "--seed" ]; then
  export KBX_SOAK_SEED=${2:?seed}
else
  export KBX_SOAK_RUNS=${1:-100}
  export KBX_SOAK_FIRST=${KBX_SOAK_FIRST:-$(( (RANDOM << 15 | RANDOM) + 1 ))}
  echo "kobrix soak: $KBX_SOAK_RUNS runs from seed $KBX_SOAK_FIRST"
fi

# shellcheck source=display.sh
source "$root/scripts/display.sh"
trap kbx_stop_all EXIT
kbx_build_win64 "$root" "$build" kbx_w32_e2e_runtime
kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
wine "$build/win64/bin/kbx_w32_e2e_runtime.exe" --gtest_filter='ExitSoak.*' 2>&1 |
  grep -E '^(seed |exit soak:)|FAILED|PASSED'
