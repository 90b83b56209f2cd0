#!/usr/bin/env bash
# The main job: the reference host reads every plug-in of dist/Extensions.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
export WINEPREFIX="$here/build/wineprefix"
export WINEDEBUG=-all
export VEK_WINE_DLL_PATH="$here/dist"
scripts/wine-run.sh build/win32/tools/vekhost/vekhost.exe info --extensions dist/Extensions </dev/null
