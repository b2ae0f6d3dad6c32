# Sourced by the scripts: the 64-bit Windows build, an Xvfb display and one
# wineserver for a run.
#   kbx_build_win64 ROOT BUILD TARGET...  configures BUILD/win64 (Release) and
#                            builds the targets (KBX_JOBS jobs, default all cores)
#   kbx_start_xvfb [ARGS]    starts Xvfb on a free display, exports DISPLAY
#                            (ARGS go to Xvfb, e.g. -wr for a white root)
#   kbx_start_wine PREFIX    creates the prefix if needed, starts wineserver -p
#   kbx_capture FILE [ARGS]  the whole screen as FILE (ARGS go to convert)
#   kbx_stop_all             stops both (also on exit, via trap)

kbx_xvfb_pid=""
kbx_wine_prefix=""

kbx_build_win64() {
  local root=$1 build=$2
  shift 2
  cmake -S "$root" -B "$build/win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
  cmake --build "$build/win64" -j "${KBX_JOBS:-$(nproc)}" --target "$@" >/dev/null
}

kbx_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$fifo" >/dev/null 2>&1 &
  kbx_xvfb_pid=$!
  local n
  read -r -t 30 n <"$fifo" || { echo "kobrix: Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
}

kbx_start_wine() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  kbx_wine_prefix="$1"
  if [ ! -f "$WINEPREFIX/.kobrix-ready" ]; then
    echo "kobrix: creating Wine prefix $WINEPREFIX (first time only)" >&2
    wineboot -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: Wine draws the frames itself, and does not
    # wait (2 s per window) for a manager to acknowledge each hidden window.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.kobrix-ready"
  fi
  wineserver -p >/dev/null 2>&1 || true
  # Start Wine's own services now, with their output going nowhere: started
  # later by a test, they would inherit (and hold open) ctest's output pipe.
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

kbx_capture() {
  local file=$1
  shift
  xwd -root -silent | convert xwd:- "$@" "$file"
}

kbx_stop_all() {
  if [ -n "$kbx_wine_prefix" ]; then
    WINEPREFIX="$kbx_wine_prefix" wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$kbx_xvfb_pid" ]; then
    kill "$kbx_xvfb_pid" 2>/dev/null || true
    wait "$kbx_xvfb_pid" 2>/dev/null || true
  fi
}
