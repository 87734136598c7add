#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages
# (desktop-file-utils: the install tests validate the menu entries with it;
# openssl: the updater's tests make a throwaway certificate for an HTTPS server;
# wine64: the monitor's test of a real Windows program run as a game;
# clang-format: CI checks that the sources keep the format of .clang-format;
# dbus-daemon, openbox, trayer: the desktop tests' private session bus, window
# manager and XEmbed tray).
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsdl2-dev libevdev-dev libxtst-dev libx11-dev
          xvfb xauth libgtest-dev libgmock-dev libcpp-httplib-dev libbenchmark-dev
          desktop-file-utils openssl wine64 dbus-daemon openbox trayer clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
