# Shared by the packaging tests: what an installation must hold, checked in a
# scratch root that stands for /.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# skip_without TOOL PACKAGE: ends the test as skipped when TOOL is missing.
skip_without() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "SKIPPED: $1 is not installed (Debian package $2; scripts/test installs it)"
        exit 77
    fi
}

ICON_SIZES=(16 32 48 64 128 256)

# check_installed_tree ROOT: the program, its menu entry, its icons and its
# AppStream data are in their standard places under ROOT/usr, and the menu
# entry and AppStream data point at what is installed.
check_installed_tree() {
    local usr="$1/usr"
    [ -x "$usr/bin/ordivan" ] || fail "no executable $usr/bin/ordivan"
    local desktop="$usr/share/applications/ordivan.desktop"
    [ -f "$desktop" ] || fail "no menu entry $desktop"
    local size
    for size in "${ICON_SIZES[@]}"; do
        local png="$usr/share/icons/hicolor/${size}x${size}/apps/ordivan.png"
        [ -f "$png" ] || fail "no icon $png"
        file -b "$png" | grep -q "PNG image data, $size x $size" ||
            fail "$png is not a $size x $size PNG: $(file -b "$png")"
    done
    grep -q "<svg" "$usr/share/icons/hicolor/scalable/apps/ordivan.svg" 2>/dev/null ||
        fail "no scalable icon"

    local metainfo
    metainfo=$(find "$usr/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
    [ "$(printf '%s\n' "$metainfo" | grep -c .)" = 1 ] || fail "expected one metainfo file, found: $metainfo"
    # Software centres find the data by its file name, which is the component id.
    local id
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file $metainfo is not named after its id $id"
    grep -q "<launchable type=\"desktop-id\">ordivan.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch the installed menu entry"

    # The menu entry starts the installed program and shows the installed icon.
    grep -qx "Exec=ordivan" "$desktop" || fail "menu entry does not start ordivan: $(grep ^Exec= "$desktop")"
    grep -qx "Icon=ordivan" "$desktop" || fail "menu entry does not show the ordivan icon"
}
