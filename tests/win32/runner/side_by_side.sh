#!/usr/bin/env bash
# kobrix-run side by side:
#   side_by_side.sh <kobrix-run> <template prefix> <exit_three.exe> <long-running.exe>
# Five runs without a display, at once, of a program that returns 3 each
# give 3, while a program run on the shared display and prefix (as a user's
# own would be) keeps running through them all; afterwards none of the runs'
# private prefixes is left.
set -uo pipefail
runner=$1 prefix=$2 three=$3 long=$4
fail() { echo "side_by_side: $*" >&2; exit 1; }

WINEPREFIX=$prefix wine "$long" >/dev/null 2>&1 &
user_program=$!
trap 'kill "$user_program" 2>/dev/null' EXIT
scratch=$(mktemp -d)
export TMPDIR=$scratch
pids=()
for i in 1 2 3 4 5; do
  (env -u DISPLAY bash "$runner" --prefix "$prefix" "$three" 2>"$scratch/err$i"; echo $? >"$scratch/code$i") &
  pids+=($!)
done
wait "${pids[@]}"
for i in 1 2 3 4 5; do
  code=$(cat "$scratch/code$i")
  [ "$code" = 3 ] || { cat "$scratch/err$i" >&2; fail "run $i gave $code, not 3"; }
done
kill -0 "$user_program" 2>/dev/null || fail "the program on the shared display ended during the runs"
left=$(find "$scratch" -mindepth 1 -maxdepth 1 -name 'kobrix-prefix*')
[ -z "$left" ] || fail "private prefixes left behind: $left"
rm -rf "$scratch"
echo "side_by_side: five runs gave 3 each"
