#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, when any is missing.
# Idempotent: does nothing when everything is there.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev libqt6opengl6-dev qt6-tools-dev libqt6sql6-sqlite
          libqt6sql6-psql postgresql designer-qt6 xvfb xauth xdotool imagemagick fonts-dejavu-core
          clang-format clang-tidy git dpkg-dev doxygen qt6-documentation-tools)

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
