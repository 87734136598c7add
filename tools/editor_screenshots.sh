#!/bin/sh
# Renders Tunedeck's main window and each of its pages to PNG files in the
# given folder, without a display, on a copy of the shipped configurations.
#   tools/editor_screenshots.sh OUTPUT_FOLDER [BUILD_FOLDER]
set -eu
out=${1:?usage: tools/editor_screenshots.sh OUTPUT_FOLDER [BUILD_FOLDER]}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$here/build}
tool=$build/editor/tunedeck_screenshots
if [ ! -x "$tool" ]; then
  cmake -S "$here" -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target tunedeck_screenshots >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/install" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp -R "$here/install/scg" "$here/install/crv" "$work/install/"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  "$tool" "$out" "$work/install"
