#!/usr/bin/env bash
# Runs a clang-cl compile through ccache (the first argument). ccache knows
# clang-cl neither by the name Debian gives it nor with the "--" that CMake
# puts before the source, which keeps an absolute path from reading as an
# option (/work... as /wo): the source goes relative instead, without "--".
set -euo pipefail
ccache=$1
shift
args=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ] && [ $# -eq 2 ]; then
    args+=("$(realpath --relative-to=. "$2")")
    break
  fi
  args+=("$1")
  shift
done
CCACHE_COMPILERTYPE=clang-cl exec "$ccache" "${args[@]}"
