#!/usr/bin/env bash
# The folders include one way only: app/ on top, then the dialogs and the view, then widgets/,
# then the core, which needs QtCore alone. Usage: check_includes.sh SOURCE_DIR CORE_FILE_LIST
# (the core library's sources, one absolute path a line). Prints each wrong include.
set -euo pipefail
root=$1
mapfile -t core < <(sed "s|^$root/||" "$2")
is_core() {
    local file
    for file in "${core[@]}"; do
        [[ $file == "$1" ]] && return 0
    done
    return 1
}

status=0
cd "$root"
for file in common/* requisites/* orders/* form/* widgets/* app/*; do
    [[ $file == *.cpp || $file == *.h ]] || continue
    while IFS= read -r included; do
        if is_core "$file"; then
            is_core "$included" && continue
            why="the core includes only the core"
        elif [[ $file == widgets/* ]]; then
            [[ $included == widgets/* ]] || is_core "$included" && continue
            why="widgets/ includes only itself and the core"
        elif [[ $file != app/* ]]; then
            [[ $included != app/* ]] && continue
            why="only app/ includes from app/"
        else
            continue
        fi
        echo "$file includes $included: $why"
        status=1
    done < <(sed -n 's|^#include "\([a-z]*/[^"]*\)".*|\1|p' "$file")
done
exit $status
