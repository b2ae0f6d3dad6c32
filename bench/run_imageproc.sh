#!/usr/bin/env bash
# Builds the image-processing benchmarks (Release, no sanitizers) and runs
# them, then prints a table of ns per pixel beside the memcpy of a buffer of
# the same size and depth from the same run.
#   KBX_BUILD_DIR  build root (default: <repo>/build); the benchmarks go to
#                  $KBX_BUILD_DIR/bench
#   Extra arguments go to the benchmark program (e.g. --benchmark_filter=Fill).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}/bench
jobs=${KBX_JOBS:-2}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKBX_SANITIZE=OFF -DKBX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$jobs" --target kbx_imageproc_bench

json="$build/imageproc_bench.json"
"$build/bin/kbx_imageproc_bench" --benchmark_out="$json" --benchmark_out_format=json "$@"

python3 - "$json" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
rows, memcpy = [], {}
for b in data["benchmarks"]:
    if b.get("run_type", "iteration") != "iteration":
        continue
    parts = b["name"].split("/")
    name, args = parts[0].replace("BM_", ""), parts[1:]
    w, h, depth = int(args[0]), int(args[1]), int(args[2])
    extra = ("/" + args[3]) if len(args) > 3 else ""
    ns = b["ns_per_px"]
    if name == "Memcpy":
        memcpy[(w, h, depth)] = ns
    rows.append((name + extra, w, h, depth, ns))
print()
print("%-22s %11s %5s %10s %10s %8s" % ("operation", "size", "bits", "ns/px", "memcpy", "x memcpy"))
for name, w, h, depth, ns in rows:
    m = memcpy.get((w, h, depth))
    print("%-22s %11s %5d %10.3f %10.3f %8.1f" % (name, "%dx%d" % (w, h), depth, ns, m or 0, ns / m if m else 0))
PY
