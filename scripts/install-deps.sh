#!/usr/bin/env bash
# Installs the Debian packages the build needs; only those missing, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format-14 python3
  qt6-base-dev libicu-dev libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont libsystemd-dev
  fonts-wqy-microhei xdg-utils xvfb xauth xdotool x11-utils imagemagick dbus python3-dbusmock
  librsvg2-bin lintian appstream desktop-file-utils bash-completion
  python3-icalendar
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
