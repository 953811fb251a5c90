#!/bin/sh
# Takes a picture of the configuration dialog, as the real gen_velk.dll shows
# it under Wine on a virtual X display, and writes docs/config-dialog.png.
set -eu
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 \
    wine wine32:i386 wine64 xvfb qemu-user-static x11-apps imagemagick

cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null
player=build/win32/tests/e2e/player
state=build/screenshot/wine
session=tests/e2e/wine-session.sh

$session start "$state"
trap '$session stop "$state"' EXIT
rm -f "$player/dialog-shown.txt" "$player/screenshot-taken.txt"
$session run "$state" 900 "$player/test_player.exe" show-dialog &
player_pid=$!

tries=0
until [ -s "$player/dialog-shown.txt" ]; do
    tries=$((tries + 1))
    [ $tries -le 9000 ] || { echo "the dialog did not appear" >&2; exit 1; }
    sleep 0.1
done
sleep 1  # let the dialog finish painting
geometry=$(tr -d '\r\n' <"$player/dialog-shown.txt")
xwd -root -silent -display ":$(cat "$state/display")" | convert xwd:- -crop "$geometry" +repage docs/config-dialog.png
touch "$player/screenshot-taken.txt"
wait $player_pid
echo "wrote docs/config-dialog.png ($geometry)"
