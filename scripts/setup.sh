#!/usr/bin/env bash
# Installs everything the game needs to build, run and test on a fresh Debian
# machine. Packages already present are skipped, so a second run is quick.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools
  libsdl2-mixer-dev timgm6mb-soundfont fluid-soundfont-gm libsndfile1-dev
  libsodium-dev libnice-dev libmosquitto-dev mosquitto coturn nftables iproute2 tcpdump mosquitto-clients
  clang libclang-rt-14-dev
  fonts-ipafont-gothic libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool openbox strace libxcb1-dev
  dbus at-spi2-core python3-pyatspi
  dpkg-dev file lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
