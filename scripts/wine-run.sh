#!/usr/bin/env bash
# Runs a win32 program under Wine with the project's prefix and DLL path.
# The prefix lives in the build tree; VEK_WINE_DLL_PATH (set by CTest or the
# Makefile) names the folders where the program's DLLs are found.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -n "${VEK_WINE_DLL_PATH:-}" ]; then
  # Wine's default Z: drive is the Unix root.
  winepath=""
  IFS=: read -ra dirs <<< "$VEK_WINE_DLL_PATH"
  for d in "${dirs[@]}"; do winepath="$winepath${winepath:+;}Z:${d//\//\\}"; done
  export WINEPATH="$winepath"
fi
exec wine "$@"
