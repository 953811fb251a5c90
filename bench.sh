#!/bin/sh
# Measures what the hooks cost per event and what the DLLs weigh, and prints
# one table. Not part of the test run.
set -eu
cd "$(dirname "$0")"
scripts/ensure-packages.sh cmake ninja-build g++ valgrind \
    g++-mingw-w64-i686 binutils-mingw-w64-i686

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null

bench/report.sh build/bench/bench/hook_bench dist i686-w64-mingw32-objdump
