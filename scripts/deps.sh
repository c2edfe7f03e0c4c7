#!/usr/bin/env bash
# Installs what building and testing Lumbra needs, with apt-get, when any of it is missing.
set -euo pipefail

packages=(cmake python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb googletest
          x11-apps imagemagick xdotool)
need() { command -v "$1" >/dev/null 2>&1; }

missing=0
for tool in cmake python3 x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres x86_64-w64-mingw32-objdump \
            wine wineserver Xvfb xwd xdotool /usr/bin/convert; do
    need "$tool" || { missing=1; break; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || missing=1
[ "$missing" = 1 ] || exit 0

echo "Installing: ${packages[*]}"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${packages[@]}"
