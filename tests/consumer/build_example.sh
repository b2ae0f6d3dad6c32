#!/usr/bin/env bash
# Builds examples the way a user's own project is built:
#   build_example.sh subdirectory|installed <kobrix sources> <work dir> <generator> [launcher [example...]]
# (examples: folders of examples/, hello when none is named; each is built
# in <work>/<example> into <example>.exe)
# subdirectory: the example adds the KOBRIX sources (add_subdirectory).
# installed:    KOBRIX, tests and programs off, is built (the library alone)
#               and installed into <work>/prefix; the example
#               finds it with find_package and cross-builds with the toolchain
#               file installed there.
# With a multi-config generator (Ninja Multi-Config, as Visual Studio) KOBRIX
# is installed in Debug and Release side by side, each example is built in
# both and each must link its own configuration's libraries; the Release
# program is the one that runs.
# Then checks that each example's build holds no test target but its own
# (add_kobrix_test) and no sanitizer flag, and that its own source gets none
# of KOBRIX's definitions.
set -euo pipefail
mode=$1 root=$2 work=$3 generator=$4 launcher=${5:-}
shift $(($# < 5 ? $# : 5))
examples=("${@:-hello}")
jobs=${KBX_JOBS:-$(nproc)}
toolchain=toolchain-mingw-x86_64.cmake

fail() { echo "consumer ($mode): $*" >&2; exit 1; }

configure=(-G "$generator" -DCMAKE_BUILD_TYPE=Release)
configs=(Release)
case $generator in
  *Multi-Config*) configs=(Debug Release) ;;
esac
# The Wine prefix the examples' own tests run in (add_kobrix_test).
if [ -n "${KBX_CONSUMER_WINEPREFIX:-}" ]; then
  configure+=(-DKOBRIX_TEST_WINEPREFIX="$KBX_CONSUMER_WINEPREFIX")
fi
if [ -n "$launcher" ]; then
  configure+=(-DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
fi

rm -rf "$work"
case $mode in
  subdirectory)
    uses=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DKOBRIX_SOURCE_DIR="$root")
    ;;
  installed)
    prefix=$work/prefix
    cmake -S "$root" -B "$work/kobrix" "${configure[@]}" -DKBX_BUILD_TESTS=OFF -DKBX_BUILD_PROGRAMS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix"
    for config in "${configs[@]}"; do
      cmake --build "$work/kobrix" --config "$config" -j "$jobs"
      cmake --install "$work/kobrix" --config "$config"
    done
    programs=$(find "$work/kobrix" -name '*.exe' -not -path '*/CMakeFiles/*')
    [ -z "$programs" ] || fail "the library-only build built programs: $programs"
    # The installed tree stands alone: nothing in it points into the sources.
    for entry in "$root"/*; do
      [ "$entry" = "$root/build" ] && continue
      if grep -rIlF "$entry" "$prefix"; then fail "the installed files above refer to $entry"; fi
    done
    uses=(-DCMAKE_TOOLCHAIN_FILE="$prefix/share/kobrix/$toolchain" -DCMAKE_PREFIX_PATH="$prefix")
    ;;
  *) fail "unknown mode" ;;
esac
for example in "${examples[@]}"; do
  dir=$work/$example
  cmake -S "$root/examples/$example" -B "$dir" "${configure[@]}" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${uses[@]}"
  for config in "${configs[@]}"; do
    cmake --build "$dir" --config "$config" -j "$jobs"
  done
  exe=$dir/$example.exe
  if [ ${#configs[@]} -gt 1 ]; then
    exe=$dir/Release/$example.exe
    # Each configuration links the libraries installed for it.
    if [ "$mode" = installed ]; then
      grep -q 'libkobrixd\.a' "$dir/CMakeFiles/impl-Debug.ninja" || fail "the Debug build does not link the Debug library"
      if grep -q 'libkobrixd\.a' "$dir/CMakeFiles/impl-Release.ninja"; then fail "the Release build links the Debug library"; fi
    fi
  fi
  [ -f "$exe" ] || fail "no $exe"

  # The example's own tests (add_kobrix_test) and the test helper's library
  # are the only test targets.
  tests=$(find "$dir" -type d -iname '*test*.dir' -not -name "${example}_*test.dir" -not -name kobrix_testing.dir)
  [ -z "$tests" ] || fail "test targets in the build: $tests"
  commands=$dir/compile_commands.json
  if grep -F -- "-fsanitize" "$commands"; then fail "sanitizer flags in the build"; fi
  own=$(grep -F "$example.cpp" "$commands" | grep -F '"command"' || true)
  [ -n "$own" ] || fail "no compile command for $example.cpp"
  if grep -E -- "-D_?UNICODE|-DNOMINMAX|-DWIN32_LEAN_AND_MEAN|-W(all|extra)" <<<"$own"; then
    fail "KOBRIX's own definitions or warnings reach $example.cpp"
  fi
  echo "consumer ($mode): $exe"
done
