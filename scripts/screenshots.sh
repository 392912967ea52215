#!/usr/bin/env bash
# Refreshes the README's screenshots in docs/ from a fresh demo folder, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja > /dev/null
cmake --build build --target vemo_screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/make-demo-data.sh "$work/demo" > /dev/null
mkdir -p docs
out=$(pwd)/docs
(cd "$work/demo" && QT_QPA_PLATFORM=offscreen "$out/../build/vemo_screenshots" "$out")
