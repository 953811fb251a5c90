#!/bin/sh
# Runs the hook driver under callgrind and prints the benchmark table: the
# hooks' instructions and heap allocations per event, then the DLLs' sizes
# and imports. Figures over their budget are marked "over".
#
#   report.sh HOOK_BENCH DIST_DIR OBJDUMP [EVENTS]
set -eu
driver=$1 dist=$2 objdump=$3 events=${4:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Collection is on only inside the two hook procedures, and toggled off again
# inside the platform calls they make (the player's is-playing answer, the
# next hook): what is counted is the product code's own instructions.
valgrind --tool=callgrind --collect-atstart=no \
    --toggle-collect='JournalRecordProc(*' --toggle-collect='CancelWatchProc(*' \
    --toggle-collect='SendMessageA(*' --toggle-collect='CallNextHookEx(*' \
    --callgrind-out-file="$work/callgrind.out" \
    "$driver" "$events" >"$work/allocations" 2>"$work/valgrind.log" || {
    cat "$work/valgrind.log" >&2
    exit 1
}

# The instructions of the dump the driver named after the case.
instructions() {
    for dump in "$work"/callgrind.out.*; do
        if grep -qx "desc: Trigger: Client Request: $1" "$dump"; then
            sed -n 's/^totals: //p' "$dump"
            return
        fi
    done
    echo "report.sh: no callgrind dump for $1" >&2
    exit 1
}

row() {  # case, procedure, description, budget
    total=$(instructions "$1")
    allocations=$(awk -v c="$1" '$1 == c { print $3 }' "$work/allocations")
    awk -v proc="$2" -v what="$3" -v total="$total" -v budget="$4" -v n="$events" -v alloc="$allocations" 'BEGIN {
        per = total / n
        mark = (per > budget || alloc > 0) ? "  over" : ""
        printf "  %-18s %-36s %8.1f %7d %12.2f%s\n", proc, what, per, budget, alloc / n, mark
    }'
}

echo "Hook cost: x86-64 instructions per event in the product code (callgrind, native release build,"
echo "$events events per case; the platform's SendMessageA and CallNextHookEx, and the player behind"
echo "SendMessageA, not counted)"
printf '  %-18s %-36s %8s %7s %12s\n' procedure case instr budget allocs/event
row journal-mouse-move JournalRecordProc "mouse move" 20
row journal-key-press JournalRecordProc "key press" 20
row journal-release-unconfigured JournalRecordProc "release of an unconfigured key" 20
row journal-release-configured-idle JournalRecordProc "release of a configured key, idle" 20
row cancel-watch-ordinary CancelWatchProc "ordinary message" 10

imports() {
    "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' '
}

echo
echo "Footprint: $dist/ (release build, resources included)"
printf '  %-14s %7s %7s  %s\n' DLL bytes budget imports
for entry in gen_velk.dll:10240 velk_kh.dll:6144; do
    name=${entry%%:*} budget=${entry#*:}
    size=$(wc -c <"$dist/$name")
    mark=""
    [ "$size" -le "$budget" ] || mark="  over"
    printf '  %-14s %7d %7d  %s%s\n' "$name" "$size" "$budget" "$(imports "$dist/$name")" "$mark"
done
