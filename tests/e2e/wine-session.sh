#!/bin/sh
# The Wine session the end-to-end tests share: one Xvfb display, one Wine
# prefix and one Wine server, all under the build folder.
#
#   wine-session.sh start STATE_DIR   Xvfb, then the prefix under that display
#   wine-session.sh run STATE_DIR SECONDS PROGRAM ARGS...
#   wine-session.sh stop STATE_DIR
#
# Xvfb comes first and every Wine command runs under its display: a Wine
# server first started without a display leaves the plug-in unable to reach
# the player's window.
set -eu
command=$1
state=$(realpath -m "$2")
shift 2

export WINEPREFIX="$state/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No menu entries, no Mono or Gecko installers: nothing the tests use.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

fail() {
    echo "wine session: $*" >&2
    exit 1
}

# Where the kernel runs no 32-bit programs (IA-32 emulation switched off),
# Wine's 32-bit loader runs under qemu's user-mode emulation instead.
enable_i386() {
    /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0
    [ -x /usr/bin/qemu-i386-static ] || fail "this machine runs no 32-bit programs and qemu-user-static is missing"
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt ||
        fail "cannot mount $binfmt to run 32-bit programs under qemu"
    if [ ! -e $binfmt/qemu-i386 ]; then
        printf '%s' ':qemu-i386:M::\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
            >$binfmt/register || fail "cannot register qemu-i386-static for 32-bit programs"
    fi
    /usr/lib/wine/wine --version >/dev/null 2>&1 || fail "Wine's 32-bit loader does not start"
}

start() {
    rm -rf "$state"
    mkdir -p "$state"
    enable_i386
    # Xvfb picks a free display and writes its number to the descriptor.
    exec 3>"$state/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    exec 3>&-
    tries=0
    until [ -s "$state/display" ]; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || fail "Xvfb did not start: $(cat "$state/xvfb.log")"
        sleep 0.1
    done
    export DISPLAY=":$(cat "$state/display")"
    attempt=1
    until timeout 900 wine wineboot --init >"$state/wineboot.log" 2>&1; do
        # Under qemu the first start of a new prefix now and then crashes
        # (kernel32.dll then fails to load): start over with a fresh one.
        [ $attempt -lt 3 ] || fail "wineboot did not finish: $(tail -5 "$state/wineboot.log")"
        echo "wineboot failed, attempt $attempt of 3: $(tail -2 "$state/wineboot.log")"
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        attempt=$((attempt + 1))
    done
    # Debian starts the Wine server persistent (-p0): it and the prefix's
    # services stay up between tests, so each pays only for its own program.
}

run() {
    [ -s "$state/display" ] || fail "no session: run 'start' first"
    export DISPLAY=":$(cat "$state/display")"
    seconds=$1
    shift
    # Through a file: Wine may start the prefix's services from this run, and
    # they would hold a pipe to the caller (CTest waits on it) open for good.
    log="$state/run-$$.log"
    status=0
    timeout "$seconds" wine "$@" >"$log" 2>&1 || status=$?
    cat "$log"
    rm -f "$log"
    [ $status -ne 124 ] || echo "TIMED OUT after $seconds s: $*"
    return $status
}

stop() {
    [ -s "$state/display" ] && DISPLAY=":$(cat "$state/display")" wineserver -k 2>/dev/null || true
    [ -s "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
}

case $command in
    start) start ;;
    run) run "$@" ;;
    stop) stop ;;
    *) fail "unknown command $command" ;;
esac
