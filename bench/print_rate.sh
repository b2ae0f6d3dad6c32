#!/usr/bin/env bash
# Lines per second that KBX_Print puts into one 400 x 300 text window under
# Wine, with the window log off and on, and whether the log file holds
# exactly the printed lines (text mode: CR LF line ends); then the same
# lines from a lean plain Win32 program on the same 15 ms repaint schedule
# (bench/print_lines_lean.cpp). The two run in turn, rounds times, and the
# ratio of their best rates (log off) is the result: a busy machine slows
# single runs of either by far more than the difference measured.
#   bench/print_rate.sh [lines] [rounds]     (default 100000 lines, 3 rounds)
#   KBX_BUILD_DIR  build root (default: <repo>/build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
lines=${1:-100000}
rounds=${2:-3}

"$root/scripts/deps.sh"
source "$root/scripts/display.sh"
work=$(mktemp -d)
trap 'kbx_stop_all; rm -rf "$work"' EXIT

kbx_build_win64 "$root" "$build" print_lines print_lines_lean

kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
for round in $(seq 1 "$rounds"); do
  mkdir -p "$work/$round"
  # Each program ends itself once done; the log goes to the round's folder.
  (cd "$work/$round" && KBX_PRINT_LINES="$lines" timeout 1800 wine "$build/win64/bin/print_lines.exe" >/dev/null 2>&1) || true
  (cd "$work/$round" && KBX_PRINT_LINES="$lines" timeout 1800 wine "$build/win64/bin/print_lines_lean.exe" >/dev/null 2>&1) || true
  if [ ! -s "$work/$round/print_rate.txt" ] || [ ! -s "$work/$round/print_rate_lean.txt" ]; then
    echo "print_rate: no result (a program did not finish)" >&2
    exit 1
  fi
  cat "$work/$round/print_rate.txt" "$work/$round/print_rate_lean.txt"
done
python3 - "$work" "$lines" "$rounds" <<'PY'
import glob, sys
work, lines, rounds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def best(name, prefix):
    rates = []
    for r in range(1, rounds + 1):
        for row in open("%s/%d/%s" % (work, r, name)):
            if row.startswith(prefix):
                rates.append(float(row.split()[-4]))
    return max(rates)
kbx, lean = best("print_rate.txt", "log off:"), best("print_rate_lean.txt", "lean:")
print("best of %d: KBX_Print %.0f, lean %.0f lines per second: ratio %.2f" % (rounds, kbx, lean, kbx / lean))
logs = glob.glob(work + "/1/KOBRIX*0.LOG")
expected = "".join("line %06d of the print rate benchmark\r\n" % i for i in range(1, lines + 1)).encode()
got = open(logs[0], "rb").read() if logs else b""
if got == expected:
    print("log file: identical to the %d printed lines (%d bytes)" % (lines, len(got)))
else:
    print("log file: DIFFERENT from the printed lines (%d bytes, %d expected)" % (len(got), len(expected)))
    sys.exit(1)
PY
