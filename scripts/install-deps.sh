#!/usr/bin/env bash
# Installs the Debian 12 packages the client, its tests and its checks need. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake git pkg-config ca-certificates
  qtbase5-dev qtdeclarative5-dev libqt5websockets5-dev qtquickcontrols2-5-dev
  qttools5-dev qttools5-dev-tools
  qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-layouts
  qml-module-qtquick-controls qml-module-qtquick-controls2 qml-module-qtquick-templates2
  qml-module-qtquick-dialogs qml-module-qtgraphicaleffects qml-module-qt-labs-platform
  iproute2 libqt5svg5 libgl1-mesa-dri xvfb xauth trayer xdotool x11-utils x11-xserver-utils
  imagemagick
  clang-format g++-mingw-w64-x86-64-posix libbenchmark-dev
  fonts-thai-tlwg fonts-wqy-microhei
  openvpn stunnel4 openssl wireguard-tools wireguard-go iputils-ping nftables dnsmasq-base procps
  tcpdump
  lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
