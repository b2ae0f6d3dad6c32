#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator of the cross build's tests.
# The test command provides DISPLAY (Xvfb), WINEPREFIX and a running wineserver.
# shellcheck source=kobrix-run
source "$(dirname "${BASH_SOURCE[0]}")/kobrix-run"
kbx_wine_env
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; run the tests through scripts/test.sh" >&2
  exit 2
fi
exec wine "$@"
