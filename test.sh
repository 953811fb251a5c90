#!/bin/sh
# Builds and runs every test: the unit tests on the stand-in platform, the
# checks of the built Windows DLLs, then the fuzz targets.
set -eu
cd "$(dirname "$0")"
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libgmock-dev \
    g++-mingw-w64-i686 binutils-mingw-w64-i686 nsis clang libclang-rt-14-dev
# The end-to-end tests run the real DLLs under Wine on a virtual X display;
# qemu runs Wine's 32-bit programs where the kernel runs none itself.
scripts/ensure-packages.sh wine wine32:i386 wine64 xvfb qemu-user-static

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset win32

# The key-entry parser against its oracle, for a bounded time. New inputs go
# to build/fuzz/corpus; the committed seeds stay as they are.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
if ! build/fuzz/tests/fuzz/parse_key_entry_fuzz -max_total_time=20 \
        build/fuzz/corpus tests/fuzz/corpus/parse_key_entry 2>build/fuzz/parse_key_entry.log; then
    cat build/fuzz/parse_key_entry.log
    exit 1
fi
echo "parse_key_entry_fuzz: $(tail -n 1 build/fuzz/parse_key_entry.log)"
