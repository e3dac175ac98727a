#!/usr/bin/env bash
# `cmake --install` puts every file in its standard place under the prefix.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$1" root="$2"

rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
check_installed_tree "$root"

# Nothing but the program's own files, all under the prefix.
unexpected=$(cd "$root" && find . -type f ! -path './usr/bin/ordivan' ! -path './usr/share/applications/*' \
                 ! -path './usr/share/icons/hicolor/*' ! -path './usr/share/metainfo/*')
[ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
        fail "installed metainfo does not validate"
fi
echo "installed tree complete"
