#!/usr/bin/env bash
# Checks the Windows deliverables as they lie in dist/: each library's export
# names are undecorated, and it imports only system DLLs (and, for the
# Advanced Sound engineer, libsndfile-1.dll) - no mingw runtime DLL.
set -uo pipefail
dist=${1:?usage: check-win32-artifacts.sh DIST}
objdump=i686-w64-mingw32-objdump
fail=0
system_dll='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|ADVAPI32|SHELL32|OLE32|OLEAUT32|msvcrt|WINMM|VERSION|api-ms-win-[a-z0-9-]+)\.dll$'

check_library() {
  local file=$1 extra_imports=$2 wanted_exports=("${@:3}")
  if [ ! -f "$file" ]; then echo "missing: $file"; fail=1; return; fi
  local dump
  dump=$($objdump -p "$file")
  local imports
  imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
  while read -r dll; do
    [ -z "$dll" ] && continue
    if ! grep -Eiq "$system_dll" <<<"$dll" && ! grep -Eiq "^($extra_imports)$" <<<"$dll"; then
      echo "$(basename "$file"): unexpected import $dll"; fail=1
    fi
  done <<<"$imports"
  local exports
  exports=$(awk '/Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^[ \t]*\[/ {print $NF} on && /^[ \t]*$/ {exit}' <<<"$dump")
  if grep -q '@' <<<"$exports"; then
    echo "$(basename "$file"): decorated export names:"; grep '@' <<<"$exports" | head -5; fail=1
  fi
  for name in "${wanted_exports[@]}"; do
    grep -qx "$name" <<<"$exports" || { echo "$(basename "$file"): export $name missing"; fail=1; }
  done
  echo "$(basename "$file"): $(wc -l <<<"$exports") exports; imports: $(tr '\n' ' ' <<<"$imports")"
}

check_library "$dist/Extensions/VekEng_Wave.mfx" "" VekGrabInfos GetInfos GetRunObjectInfos CreateRunObject \
  DestroyRunObject StartApp EndApp GetObjInfos
check_library "$dist/Extensions/VekEng_AdvSound.mfx" "libsndfile-1\\.dll" VekGrabInfos GetInfos GetRunObjectInfos \
  CreateRunObject DestroyRunObject StartApp EndApp GetActionInfos GetExpressionInfos
check_library "$dist/libsndfile-1.dll" "" sf_open sf_read_short sf_seek sf_close
if [ -f "$dist/VekEdit.dll" ]; then
  check_library "$dist/VekEdit.dll" "" getVekEdit freeVekEdit
fi
exit $fail
