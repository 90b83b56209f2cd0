#!/usr/bin/env bash
# Installs what the build and tests need on a Debian bookworm machine (run as root).
# Quick when everything is present already.
set -euo pipefail

need_pkgs=(cmake make g++ g++-multilib python3 libsndfile1-dev:i386 libbenchmark-dev:i386
           g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686 wine wine32 xvfb
           googletest libstb-dev dpkg-dev xdotool imagemagick x11-utils qemu-user-static)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

enable_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && ! grep -q '^Types:.*deb-src' "$f"; then
    sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    return 0
  fi
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >> /etc/apt/sources.list
    return 0
  fi
  return 1
}

changed=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386; changed=1
fi
if enable_deb_src; then changed=1; fi

if [ ${#missing[@]} -gt 0 ] || [ $changed = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Some kernels run 64-bit user code only. Then 32-bit programs (the native
# test build, Wine's 32-bit loader) run through qemu's user-mode emulator,
# registered for i386 ELF files with binfmt_misc.
enable_i386_emulation() {
  local probe=/usr/lib/wine/wine
  "$probe" --version >/dev/null 2>&1 && return 0
  [ $? -eq 126 ] || return 0
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || mount -t binfmt_misc binfmt_misc "$misc"
  [ -e "$misc/qemu-i386" ] && return 0
  echo "setup: registering qemu-i386 for 32-bit programs"
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' > "$misc/register"
}
enable_i386_emulation
