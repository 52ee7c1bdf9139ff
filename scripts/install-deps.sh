#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need; quiet and quick
# when everything is already there.
set -euo pipefail

packages=(cmake g++ make clang-format libsfml-dev libx11-dev fonts-dejavu-core libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth xdotool imagemagick doxygen dpkg-dev file clang libclang-rt-dev util-linux
          pkgconf)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
