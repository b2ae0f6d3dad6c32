#!/usr/bin/env bash
# Refreshes docs/calculator.png, the README's picture of the DPI calculator:
# runs it under Wine in Xvfb, presses Calc, and once the screen has settled
# keeps the part of it that holds the windows.
#   KBX_BUILD_DIR  build root (default: <repo>/build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
out=${1:-$root/docs/calculator.png}

"$root/scripts/deps.sh"
# shellcheck source=display.sh
source "$root/scripts/display.sh"
work=$(mktemp -d)
trap 'kbx_stop_all; rm -rf "$work"' EXIT

kbx_build_win64 "$root" "$build" dpi_calculator post_key

# A small screen with a white root: the windows fill most of the picture,
# and trimming takes off the rest.
kbx_start_xvfb -wr -screen 0 640x400x24
kbx_start_wine "$build/win64/wineprefix"
# The calculator copies its results to the clipboard and writes its log in
# its current directory: a scratch one.
(cd "$work" && exec wine "$build/win64/bin/dpi_calculator.exe") >/dev/null 2>&1 &

# Calc is button 0 of the button box, which takes the digit keys: pressing it
# works once the box exists.
for _ in $(seq 60); do
  if wine "$build/win64/bin/post_key.exe" kbx_bb 48 >/dev/null 2>&1; then pressed=1; break; fi
  sleep 1
done
[ -n "${pressed:-}" ] || { echo "screenshot: the calculator's button box did not appear" >&2; exit 1; }

# Settled: two captures a second apart are the same.
previous=""
for _ in $(seq 30); do
  sleep 1
  kbx_capture "$work/screen.ppm"
  sum=$(md5sum <"$work/screen.ppm")
  [ "$sum" = "$previous" ] && break
  previous=$sum
done
mkdir -p "$(dirname "$out")"
convert "$work/screen.ppm" -trim +repage -strip -define png:exclude-chunks=date,time "$out"
echo "screenshot: $out ($(identify -format '%wx%h' "$out"))"
