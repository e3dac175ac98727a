#!/usr/bin/env bash
# The menu entry and the AppStream data pass the desktop's validators and
# announce the version being built.
set -euo pipefail
source "$(dirname "$0")/common.sh"
dir="$1" version="$2"
skip_without desktop-file-validate desktop-file-utils
skip_without appstreamcli appstream
out=$(desktop-file-validate "$dir/ordivan.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out" # hints too: newer validators make them errors
appstreamcli validate --no-net --explain "$dir/ordivan.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$dir/ordivan.metainfo.xml" || fail "no release $version in the metainfo"
# The package says as many routines as the program lists (thirty, one of
# them only a message).
for text in "$dir/ordivan.metainfo.xml" "$dir/CMakeLists.txt"; do
    grep -q "thirty" "$text" || fail "$text does not say thirty routines"
    ! grep -qiE "twelve|thirteen" "$text" || fail "$text still says an older count of routines"
done
