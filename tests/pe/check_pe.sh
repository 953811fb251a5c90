#!/bin/sh
# Checks a built DLL: its exports are exactly the names given, every DLL it
# imports is in the allowed list, and (optionally) its size stays in budget.
#
#   check_pe.sh OBJDUMP DLL --exports "A B" --imports "KERNEL32.dll USER32.dll" [--max-bytes N]
set -eu
objdump=$1 dll=$2
shift 2
exports="" imports="" max_bytes=""
while [ $# -gt 0 ]; do
    case $1 in
        --exports) exports=$2 ;;
        --imports) imports=$2 ;;
        --max-bytes) max_bytes=$2 ;;
        *) echo "check_pe.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done

dump=$("$objdump" -p "$dll")
failed=0

actual_exports=$(printf '%s\n' "$dump" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
expected_exports=$(printf '%s\n' $exports | sort)
if [ "$actual_exports" != "$expected_exports" ]; then
    printf '%s exports:\n%s\nexpected exactly:\n%s\n' "$dll" "$actual_exports" "$expected_exports"
    failed=1
fi

for imported in $(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    allowed=0
    for name in $imports; do
        if [ "$(echo "$imported" | tr a-z A-Z)" = "$(echo "$name" | tr a-z A-Z)" ]; then allowed=1; fi
    done
    if [ $allowed = 0 ]; then
        printf '%s imports %s, which is not among: %s\n' "$dll" "$imported" "$imports"
        failed=1
    fi
done

if [ -n "$max_bytes" ]; then
    size=$(wc -c < "$dll")
    if [ "$size" -gt "$max_bytes" ]; then
        printf '%s is %s bytes, over its budget of %s\n' "$dll" "$size" "$max_bytes"
        failed=1
    fi
fi

[ $failed = 0 ] && echo "$dll: exports, imports and size as expected"
exit $failed
