#!/usr/bin/env bash
# Builds the DPI calculator and starts it under Wine. With a display (DISPLAY
# set) it runs there until you end it; without one it runs in Xvfb for
# KBX_RUN_SECONDS (default 10) and writes a screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
program=${1:-dpi_calculator}

"$root/scripts/deps.sh"
# shellcheck source=display.sh
source "$root/scripts/display.sh"
trap kbx_stop_all EXIT

kbx_build_win64 "$root" "$build" "$program"
exe="$build/win64/bin/$program.exe"

if [ -n "${DISPLAY:-}" ]; then
  kbx_start_wine "$build/win64/wineprefix"
  wine "$exe"
  exit 0
fi

kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
wine "$exe" &
pid=$!
sleep "${KBX_RUN_SECONDS:-10}"
shot="$build/screenshot.png"
kbx_capture "$shot"
echo "kobrix: $program ran in Xvfb; screenshot in $shot"
kill "$pid" 2>/dev/null || true
