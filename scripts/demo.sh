#!/usr/bin/env bash
# The main job. VEK_DEMO_TARGET picks the build of vekhost that runs:
#   win32  - the Windows vekhost under Wine, against dist/
#   native - the 32-bit Linux vekhost, against build/native/dist
# By default win32 is used when Wine can start a 32-bit program here.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
# LeakSanitizer cannot run under the 32-bit emulator some machines need.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export WINEPREFIX="$here/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export VEK_WINE_DLL_PATH="$here/dist"

target=${VEK_DEMO_TARGET:-}
if [ -z "$target" ]; then
  if timeout 300 wine cmd /c exit </dev/null >/dev/null 2>&1; then target=win32; else
    echo "NOTE: Wine cannot start 32-bit Windows programs on this machine; running the native build of vekhost."
    target=native
  fi
fi

case "$target" in
  win32) scripts/wine-run.sh build/win32/tools/vekhost/vekhost.exe info --extensions dist/Extensions </dev/null ;;
  native) build/native/tools/vekhost/vekhost info --extensions build/native/dist/Extensions </dev/null ;;
  *) echo "VEK_DEMO_TARGET must be win32 or native" >&2; exit 2 ;;
esac
