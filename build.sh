#!/bin/sh
# Builds the deliverables into dist/: gen_velk.dll and velk_kh.dll, the
# installer Tarnwick-1.0-setup.exe and the zip Tarnwick-1.0.zip.
set -eu
cd "$(dirname "$0")"
scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 nsis
cmake --preset win32 >/dev/null
cmake --build --preset win32
ls -l dist
