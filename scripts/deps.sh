#!/usr/bin/env bash
# Installs what building, running and testing KOBRIX needs on Debian, when it
# is missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  cmake make g++ ccache googletest libbenchmark-dev
  clang libclang-rt-dev clang-tools-14 lld-14 llvm-14 ninja-build
  libwine-dev libc++-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine xvfb xauth x11-apps imagemagick python3 python3-pil
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "kobrix: installing ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "kobrix: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
