# Sourced by the scripts: the 64-bit Windows build, and (from kobrix-run, the
# runner installed with the package) an Xvfb display and one wineserver for a
# run.
#   kbx_build_win64 ROOT BUILD TARGET...  configures BUILD/win64 (Release) and
#                            builds the targets (KBX_JOBS jobs, default all cores)
#   kbx_start_xvfb [ARGS]    starts Xvfb on a free display, exports DISPLAY
#                            (ARGS go to Xvfb, e.g. -wr for a white root)
#   kbx_start_wine PREFIX    sets the prefix up if needed, starts wineserver -p
#   kbx_capture FILE [ARGS]  the whole screen as FILE (ARGS go to convert)
#   kbx_stop_all             stops both (also on exit, via trap)

# shellcheck source=kobrix-run
source "$(dirname "${BASH_SOURCE[0]}")/kobrix-run"

kbx_build_win64() {
  local root=$1 build=$2
  shift 2
  cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
  cmake --build "$build/win64" -j "${KBX_JOBS:-$(nproc)}" --target "$@" >/dev/null
}
