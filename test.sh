#!/bin/sh
# Builds and runs every test: the unit tests on the stand-in platform, then
# the checks of the built Windows DLLs.
set -eu
cd "$(dirname "$0")"
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libgmock-dev \
    g++-mingw-w64-i686 binutils-mingw-w64-i686

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset win32
