#!/usr/bin/env bash
# Installs what building, running and testing the editor need on Debian 12 (lintian and
# appstream check the Debian package).
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ccache pkg-config python3
  qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev
  libgtest-dev googletest zlib1g-dev
  xvfb xauth fonts-droid-fallback zip unzip
  chromium chromium-driver python3-selenium
  lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
