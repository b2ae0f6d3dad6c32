#!/usr/bin/env bash
# Builds the DPI calculator (or another program of this build) and starts it
# under Wine with scripts/kobrix-run. With a display (DISPLAY set) it runs
# there until you end it; without one it runs in Xvfb for KBX_RUN_SECONDS
# (default 10) and writes a screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
program=${1:-dpi_calculator}

"$root/scripts/deps.sh"
# shellcheck source=display.sh
source "$root/scripts/display.sh"

kbx_build_win64 "$root" "$build" "$program"
run=("$root/scripts/kobrix-run" --prefix "$build/win64/wineprefix")

if [ -n "${DISPLAY:-}" ]; then
  exec "${run[@]}" "$build/win64/bin/$program.exe"
fi

shot="$build/screenshot.png"
"${run[@]}" --seconds "${KBX_RUN_SECONDS:-10}" --screenshot "$shot" "$build/win64/bin/$program.exe"
echo "kobrix: $program ran in Xvfb; screenshot in $shot"
