#!/bin/sh
# Checks the release zip: it holds exactly the install note and the two DLLs
# in the player's layout, and the DLLs are the ones just built.
#
#   check_zip.sh ZIP PLUGIN_DLL HOOK_DLL
set -eu
zip=$1 plugin=$2 hook=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$zip"

actual=$(find . -type f | sort)
expected=$(printf '%s\n' ./Plugins/gen_velk.dll ./Tarnwick-install.txt ./velk_kh.dll)
if [ "$actual" != "$expected" ]; then
    printf '%s holds:\n%s\nexpected exactly:\n%s\n' "$zip" "$actual" "$expected"
    exit 1
fi
cmp Plugins/gen_velk.dll "$plugin"
cmp velk_kh.dll "$hook"
# Plain text for Notepad: Windows line ends throughout.
if grep -qv "$(printf '\r')\$" Tarnwick-install.txt; then
    echo "Tarnwick-install.txt has lines without a Windows line end"
    exit 1
fi
echo "$zip: layout and DLLs as expected"
