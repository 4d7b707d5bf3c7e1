#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, only those that are missing. Recommended
# packages come too: Wine draws with the X libraries and fonts it recommends.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 gcc-mingw-w64-i686-win32 gcc-multilib
    wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick
    valgrind zip unzip python3 python3-fonttools python3-pil fonts-dejavu-core sox webp lld
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
