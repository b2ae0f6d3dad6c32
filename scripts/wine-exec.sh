#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator of the cross build's tests.
# The test command provides DISPLAY (Xvfb), WINEPREFIX and a running wineserver.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; run the tests through scripts/test.sh" >&2
  exit 2
fi
exec wine "$@"
