#!/usr/bin/env bash
# Refreshes the README's pictures in docs/ from a fresh demo folder, offscreen, with nothing chosen
# in the editor: the windows, and the single tax payment on both editions of the form at 150 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja > /dev/null
cmake --build build --target vemo vemo_screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/make-demo-data.sh "$work/demo" > /dev/null
mkdir -p docs
out=$(pwd)/docs
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
(cd "$work/demo" && "$out/../build/vemo_screenshots" "$out")
for edition in current 2001; do
    (cd "$work/demo" && "$out/../build/vemo" --pdf "$work/$edition.pdf" --order 4 \
        --form=$edition)
    pdftoppm -r 150 -png -singlefile "$work/$edition.pdf" "$out/form-$edition-edition"
done
