#!/usr/bin/env bash
# Installs what the build and tests need on a Debian bookworm machine (run as root).
# Quick when everything is present already.
set -euo pipefail

need_pkgs=(cmake make g++ g++-multilib libsndfile1-dev:i386 libbenchmark-dev:i386
           g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686 wine wine32 xvfb
           googletest libstb-dev dpkg-dev xdotool imagemagick x11-utils)

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
