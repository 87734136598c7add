#!/usr/bin/env bash
# Builds the tool set and starts it on the demo installation folder build/heliryx360:
# Watchpost in debug mode, its log in its window (or on standard output without a display).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/heliryx360/watchpost -d "$@"
