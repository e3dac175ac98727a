# Shared by the packaging tests.
fail() { echo "FAIL: $*" >&2; exit 1; }

# skip_without TOOL PACKAGE: the test counts as skipped when TOOL is missing.
skip_without() {
    command -v "$1" >/dev/null || { echo "SKIPPED: $1 is missing (Debian package $2; scripts/test installs it)"; exit 77; }
}

# check_installed_tree ROOT: everything in its standard place under ROOT/usr.
check_installed_tree() {
    local usr="$1/usr" size
    [ -x "$usr/bin/ordivan" ] || fail "no executable $usr/bin/ordivan"
    grep -qx "Exec=ordivan" "$usr/share/applications/ordivan.desktop" || fail "no menu entry starting ordivan"
    for size in 16 32 48 64 128 256; do
        file -b "$usr/share/icons/hicolor/${size}x$size/apps/ordivan.png" | grep -q "PNG image data, $size x $size" ||
            fail "no $size x $size icon"
    done
    grep -q "<svg" "$usr/share/icons/hicolor/scalable/apps/ordivan.svg" || fail "no scalable icon"
    # Software centres find the AppStream data by a file name that is its id.
    local id
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$usr"/share/metainfo/*.metainfo.xml)
    [ -f "$usr/share/metainfo/$id.metainfo.xml" ] || fail "no metainfo named after its id '$id'"
}
