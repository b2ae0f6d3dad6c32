#!/usr/bin/env bash
# Fuzzes the code that reads outside input: builds the libFuzzer targets in
# fuzz/ with clang and runs each one for the given number of seconds (default
# 60), one after the other, starting from its seed corpus. New inputs go to
# build/fuzz/corpus/<target>, crashes to build/fuzz/crashes/<target>; the
# committed seeds are left alone. Exits non-zero when a target fails.
#   bash scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}/fuzz
seconds=${1:-60}
shift || true
jobs=${KBX_JOBS:-$(nproc)}

"$root/scripts/deps.sh"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=()
  for seeds in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi

failed=()
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/crashes/$t"
  echo "=== fuzz: $t for ${seconds}s ==="
  # The last lines say how many inputs ran and what they covered.
  if "$build/$t" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/crashes/$t/" \
       "$build/corpus/$t" "$root/fuzz/corpus/$t" >"$build/$t.log" 2>&1; then
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb' "$build/$t.log" | tail -n 3 || true
  else
    echo "fuzz: $t FAILED (log: $build/$t.log, inputs: $build/crashes/$t/)"
    grep -E 'property broken|ERROR|runtime error' "$build/$t.log" | head -n 5 || true
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: every target ran ${seconds}s without a failure"
