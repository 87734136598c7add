#!/usr/bin/env bash
# Builds everything and runs every test. Usage: tools/test.sh [build folder] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
tools/deps.sh
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
# The tests keep their registry stores in temporary folders; a private store
# here as well, so a test run touches nothing of the user's.
export XDG_CONFIG_HOME=$(mktemp -d)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
