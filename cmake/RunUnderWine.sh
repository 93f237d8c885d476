#!/usr/bin/env bash
# CTest's emulator for the 64-bit Windows build: runs a cross-built program under Wine.
#   RunUnderWine.sh PREFIX PROGRAM [ARGUMENTS...]
#   RunUnderWine.sh PREFIX --init    creates the prefix (Wine's slow first start)
# PREFIX is a throwaway Wine prefix inside the build folder, so ~/.wine is never touched; the
# programs are console programs and need no display.
set -euo pipefail
prefix=$1
shift
if command -v wine64 >/dev/null; then
  launcher=$(command -v wine64)
elif command -v wine >/dev/null; then
  launcher=$(command -v wine)
else
  launcher=/usr/lib/wine/wine64  # Debian's wine64 without the wine package
fi
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ "${1:-}" = --init ]; then
  mkdir -p "$prefix"
  # A hanging first start must not stall CI: both steps are bounded.
  timeout 300 "$launcher" wineboot --init
  # The prefix is complete once the server has written it out and ended.
  timeout 60 "$(dirname "$launcher")/wineserver" --wait || true
  exit 0
fi
exec "$launcher" "$@"
