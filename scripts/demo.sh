#!/usr/bin/env bash
# The main job: vekhost renders the demo scene through the engineers into
# out/demo.wav and out/demo.png, after listing the plug-ins and checking the
# demo's sounds. VEK_DEMO_TARGET picks the build:
#   native (default)  the 32-bit Linux build against build/native/dist/Extensions
#   win32             the Windows build under Wine against dist/Extensions
# Nothing is built here; `make demo` builds the chosen target first.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

target=${VEK_DEMO_TARGET:-native}
run=()
suffix=""
case "$target" in
  native)
    bin=build/native/tools/vekhost
    extensions=build/native/dist/Extensions
    # The native build carries AddressSanitizer, whose leak check cannot run here.
    export ASAN_OPTIONS=detect_leaks=0
    ;;
  win32)
    bin=build/win32/tools/vekhost
    extensions=dist/Extensions
    suffix=.exe
    run=(scripts/wine-run.sh)
    export WINEPREFIX="$here/build/wineprefix"
    export WINEDEBUG=-all
    export VEK_WINE_DLL_PATH="$here/dist"
    ;;
  *)
    echo "demo: VEK_DEMO_TARGET is native or win32, not $target" >&2
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
