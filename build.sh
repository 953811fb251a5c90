#!/bin/sh
# Builds the deliverables, dist/gen_velk.dll and dist/velk_kh.dll.
set -eu
cd "$(dirname "$0")"
scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686
cmake --preset win32 >/dev/null
cmake --build --preset win32
ls -l dist
