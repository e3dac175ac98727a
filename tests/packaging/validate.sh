#!/usr/bin/env bash
# The menu entry and the AppStream data pass the desktop's validators, and the
# AppStream data announce the version being built.
set -euo pipefail
source "$(dirname "$0")/common.sh"
desktop="$1" metainfo="$2" version="$3"

skip_without desktop-file-validate desktop-file-utils
skip_without appstreamcli appstream

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
# Hints are reported too: they become errors in newer validators.
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"

latest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[ "$latest" = "$version" ] || fail "newest release in the metainfo is $latest, the program is $version"
echo "menu entry and AppStream data valid for $version"
