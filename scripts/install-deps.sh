#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quilldex 2 need, skipping those
# already installed. Everything comes from Debian's own archive.
set -euo pipefail

packages=(
    # build
    cmake make g++ pkg-config qt6-base-dev libgl-dev libchewing3-dev
    # run: the phonetic dictionary, the font, Qt's own texts in Chinese, the browser opener
    libchewing3-data fonts-arphic-uming qt6-translations-l10n xdg-utils qt6-wayland
    # tests and benchmarks
    libgtest-dev libbenchmark-dev xvfb xauth clang-format desktop-file-utils appstream dpkg-dev file x11-utils xdotool
    dbus at-spi2-core python3-pyatspi
    # sanitizer and fuzzing builds
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
