#!/usr/bin/env bash
# `cmake --install` puts the program's files, and nothing else, in their places.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$1" root="$2"
rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
check_installed_tree "$root"
others=$(cd "$root" && find . -type f ! -path ./usr/bin/ordivan ! -path './usr/share/applications/*' \
             ! -path './usr/share/icons/hicolor/*' ! -path './usr/share/metainfo/*' \
             ! -path ./usr/share/doc/ordivan/copyright)
[ -z "$others" ] || fail "unexpected files installed: $others"
