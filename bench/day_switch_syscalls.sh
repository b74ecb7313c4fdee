#!/usr/bin/env bash
# The system calls of one day switch of the main window (offscreen), counted with strace -c -f:
# store_speed_bench --wechsel N runs the same start and then N day switches (saving nothing),
# so the difference of two counts divided by their difference in N is what one switch costs.
#
#   bench/day_switch_syscalls.sh [store_speed_bench]   (default build-bench/bench/store_speed_bench)
set -euo pipefail
bench=${1:-$(dirname "$0")/../build-bench/bench/store_speed_bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
few=20
many=220
count() {
    strace -f -c -o "$work/$1.txt" "$bench" --wechsel "$1" "$work/Daten" >/dev/null 2>&1
    awk 'NR > 2 && $1 !~ /^-/ && $NF != "total" { print $NF, $4 }' \
        "$work/$1.txt" | sort
}
# One diary for both counts: generated into $work/Daten before the first count.
"$bench" --wechsel 0 "$work/Daten" >/dev/null
count $few >"$work/few"
count $many >"$work/many"
join -a1 -a2 -e 0 -o 0,1.2,2.2 "$work/few" "$work/many" |
    awk -v d=$((many - few)) '{ per = ($3 - $2) / d; if (per >= 0.05) printf "%-20s %8.2f\n", $1, per; total += per }
        END { printf "%-20s %8.2f\n", "je Tageswechsel", total }' | sort -k2 -n -r
