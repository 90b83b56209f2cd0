#!/usr/bin/env bash
# The main job: vekhost renders the demo scene through the engineers into
# out/demo.wav and out/demo.png, after listing the plug-ins and checking the
# demo's sounds. VEK_DEMO_TARGET picks the build of vekhost that runs:
#   win32  - the Windows vekhost under Wine, against dist/
#   native - the 32-bit Linux vekhost, against build/native/dist
# By default win32 is used when Wine can start a 32-bit program here.
# Nothing is built here; `make demo` builds first.
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

run=()
suffix=""
case "$target" in
  win32)
    bin=build/win32/tools/vekhost
    extensions=dist/Extensions
    suffix=.exe
    run=(scripts/wine-run.sh)
    ;;
  native)
    bin=build/native/tools/vekhost
    extensions=build/native/dist/Extensions
    ;;
  *)
    echo "VEK_DEMO_TARGET must be win32 or native" >&2
    exit 2
    ;;
esac

for tool in vekhost vekhost-sounds; do
  if [ ! -f "$bin/$tool$suffix" ]; then
    echo "demo: $bin/$tool$suffix is not built (make demo builds it)" >&2
    exit 1
  fi
done

vekhost() { "${run[@]}" "$bin/vekhost$suffix" "$@" </dev/null; }

mkdir -p out/demo
cp tools/vekhost/demo/demo.scene out/demo/demo.scene
"${run[@]}" "$bin/vekhost-sounds$suffix" out/demo </dev/null

echo "== the plug-ins"
vekhost info --extensions "$extensions"
echo
echo "== which engineer plays each demo sound"
# A sound that no engineer plays is shown, not fatal: the render says the rest.
vekhost check out/demo/drum.wav out/demo/tone.aiff out/demo/blip8.wav out/demo/hat24.wav out/demo/tagged.wav \
  --extensions "$extensions" || true
echo
echo "== the demo scene"
vekhost render out/demo/demo.scene -o out/demo.wav --png out/demo.png --extensions "$extensions"
