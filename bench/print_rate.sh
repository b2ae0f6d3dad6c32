#!/usr/bin/env bash
# Lines per second that KBX_Print puts into one 400 x 300 text window under
# Wine, with the window log off and on, and whether the log file holds
# exactly the printed lines (text mode: CR LF line ends).
#   bench/print_rate.sh [lines]     (default 100000 per run)
#   KBX_BUILD_DIR  build root (default: <repo>/build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
lines=${1:-100000}

"$root/scripts/deps.sh"
source "$root/scripts/display.sh"
work=$(mktemp -d)
trap 'kbx_stop_all; rm -rf "$work"' EXIT

kbx_build_win64 "$root" "$build" print_lines

kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
# The program ends itself once both runs are done; the log goes to $work.
(cd "$work" && KBX_PRINT_LINES="$lines" timeout 1800 wine "$build/win64/bin/print_lines.exe" >/dev/null 2>&1) || true
if [ ! -s "$work/print_rate.txt" ]; then
  echo "print_rate: no result (the program did not finish)" >&2
  exit 1
fi
cat "$work/print_rate.txt"
python3 - "$work" "$lines" <<'PY'
import glob, sys
work, lines = sys.argv[1], int(sys.argv[2])
logs = glob.glob(work + "/KOBRIX*0.LOG")
expected = "".join("line %06d of the print rate benchmark\r\n" % i for i in range(1, lines + 1)).encode()
got = open(logs[0], "rb").read() if logs else b""
if got == expected:
    print("log file: identical to the %d printed lines (%d bytes)" % (lines, len(got)))
else:
    print("log file: DIFFERENT from the printed lines (%d bytes, %d expected)" % (len(got), len(expected)))
    sys.exit(1)
PY
