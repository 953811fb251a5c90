#!/bin/sh
# Installs, quietly, those of the given Debian packages that are missing.
# Packages named with ":i386" bring the i386 architecture in first.
set -eu
missing=""
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
case "$missing" in
    *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 ;;
esac
echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
