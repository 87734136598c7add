#!/usr/bin/env bash
# Builds the tool set, records the demo installation folder build/heliryx360 as
# AppPath in your registry store (the updater looks for it there), and starts
# Watchpost on it in debug mode, its log in its window (or on standard output without a display).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
build/install/register_app_path build/heliryx360
exec build/heliryx360/watchpost -d "$@"
