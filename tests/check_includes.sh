#!/usr/bin/env bash
# The folders include one way only: common/ on the ground, then widgets/, then the features
# form/, requisites/, orders/ (the order and its files), bank/ (what the bank requires of an order
# and what it becomes), then side by side invoice/ (an order made from an invoice's payment code)
# and routine/ (templates and repeated payments, the register, the backup), then orderwindows/
# (the orders' windows and their list), then app/ on top; and the core, which needs QtCore alone,
# includes only the core. Usage: check_includes.sh SOURCE_DIR CORE_FILE_LIST
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

# The floors from the ground up: a file includes from its own folder or one below it. Among the
# features, the form needs nothing of the address books or the orders, the address books nothing of
# the orders, the order and its files nothing of the bank's rules, those nothing of invoices, and
# an order made from an invoice nothing of the windows.
floor() {
    case $1 in
        common/*) echo 0 ;;
        widgets/*) echo 1 ;;
        form/*) echo 2 ;;
        requisites/*) echo 3 ;;
        orders/*) echo 4 ;;
        bank/*) echo 5 ;;
        invoice/* | routine/*) echo 6 ;;
        orderwindows/*) echo 7 ;;
        app/*) echo 8 ;;
        *) echo 9 ;;
    esac
}

status=0
cd "$root"
for file in common/* widgets/* form/* requisites/* orders/* bank/* invoice/* routine/* \
    orderwindows/* app/*; do
    [[ $file == *.cpp || $file == *.h ]] || continue
    while IFS= read -r included; do
        if is_core "$file" && ! is_core "$included"; then
            why="the core includes only the core"
        elif (($(floor "$included") > $(floor "$file"))); then
            why="${included%%/*}/ stands above ${file%%/*}/"
        else
            continue
        fi
        echo "$file includes $included: $why"
        status=1
    done < <(sed -n 's|^#include "\([a-z]*/[^"]*\)".*|\1|p' "$file")
done
exit $status
