#!/usr/bin/env bash
# The MSVC-mode compile check: every source of KOBRIX, its programs, its
# Win32 tests and the examples, compiled by clang-cl as cl.exe would compile
# them, at /W4 with warnings as errors, over Wine's Windows SDK and C
# run-time headers and libc++'s (cmake/msvc-check/), for x64 and for 32-bit
# x86. Both are compiled to objects, which ccache keeps (a syntax check alone
# costs nearly as much and is not kept). Nothing links.
# Usage: msvc-check.sh [build dir]. Exits non-zero on any error.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/msvc-check}
jobs=${KBX_JOBS:-$(nproc)}

for arch in x64 x86; do
  dir=$build/$arch
  cmake -S "$root/cmake/msvc-check" -B "$dir" -G Ninja -DKBX_MSVC_CHECK_ARCH=$arch >/dev/null
  # Every object and nothing else: there are no libraries to link with.
  # GoogleTest's own sources are left out: they want more of Microsoft's C
  # run-time than Wine's headers declare (SEH's GetExceptionCode, crtdbg.h,
  # localtime_s); the tests, which use its headers, are compiled.
  mapfile -t objects < <(ninja -C "$dir" -t targets all |
    sed -n 's/\.obj: C\(XX\)\?_COMPILER.*/.obj/p' | grep -v '^kobrix/googletest/')
  echo "kobrix: MSVC mode, $arch: ${#objects[@]} sources"
  ninja -C "$dir" -j "$jobs" "${objects[@]}"
done
