#!/usr/bin/env bash
# Builds KOBRIX and runs every test:
#   1. native build of the platform-free code, tests under ASan and UBSan;
#   2. 64-bit Windows build, its tests under Wine in one Xvfb display;
#   3. 32-bit Windows build, compiled only (this machine runs no 32-bit code);
#   4. the fuzz targets (clang, libFuzzer), each run over its seed corpus once;
#   5. a Visual Studio style configure (clang-cl in MSVC mode, Ninja
#      Multi-Config, no GoogleTest), and every source compiled in MSVC mode
#      over Wine's and libc++'s headers (scripts/msvc-check.sh).
# Exits non-zero when a build or a test fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KBX_BUILD_DIR:-$root/build}
jobs=${KBX_JOBS:-$(nproc)}

"$root/scripts/deps.sh"
# shellcheck source=display.sh
source "$root/scripts/display.sh"
trap kbx_stop_all EXIT

step() { echo; echo "=== kobrix: $* ==="; }

step "native build"
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j "$jobs"

step "win64 build"
cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build/win64" -j "$jobs"

step "win32 (i686) build, compile only"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release -DKBX_BUILD_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" >/dev/null
cmake --build "$build/win32" -j "$jobs"

step "fuzz targets build (clang)"
cmake -S "$root/fuzz" -B "$build/fuzz" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build/fuzz" -j "$jobs"

step "clang-cl (MSVC mode), Ninja Multi-Config, no GoogleTest: configure"
clang_cl=(-G "Ninja Multi-Config" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-clang-cl.cmake")
cmake -S "$root" -B "$build/clang-cl" "${clang_cl[@]}" \
  -DKBX_GTEST_SOURCE_DIR="$build/clang-cl/no-googletest" -DKBX_GTEST_DOWNLOAD=OFF >/dev/null
# The programs' links take the DPI-aware manifest.
grep -q "MANIFESTS = .*kobrix.manifest" "$build/clang-cl/CMakeFiles/impl-Release.ninja" ||
  { echo "kobrix: the MSVC links of the programs take no manifest" >&2; exit 1; }
# With GoogleTest, the Win32 tests as a Windows build configures them (the
# emulator stands in for running them there): no GNU link flags reach MSVC.
cmake -S "$root" -B "$build/clang-cl-tests" "${clang_cl[@]}" -DCMAKE_CROSSCOMPILING_EMULATOR=true >/dev/null
if grep -E "LINK_(FLAGS|LIBRARIES) = .*-static" "$build/clang-cl-tests/CMakeFiles/impl-Release.ninja"; then
  echo "kobrix: GNU link flags in the MSVC links above" >&2; exit 1
fi

step "MSVC mode: every source compiled, x64 and x86"
"$root/scripts/msvc-check.sh" "$build/msvc-check"

failed=0
step "native tests"
ctest --test-dir "$build/native" --output-on-failure || failed=1

step "fuzz targets over their seeds"
ctest --test-dir "$build/fuzz" --output-on-failure || failed=1

step "Win32 tests under Wine"
kbx_start_xvfb
kbx_start_wine "$build/win64/wineprefix"
ctest --test-dir "$build/win64" --output-on-failure || failed=1

if [ "$failed" -ne 0 ]; then
  step "FAILED"
  exit 1
fi
step "all tests passed"
