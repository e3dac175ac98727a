#!/usr/bin/env bash
# The Debian package holds the installed tree, depends on the Qt libraries the
# program links, and the program unpacked from it starts and, on SIGTERM,
# closes its window, saves its settings and ends with exit code 0.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$1" scratch="$2" version="$3"

skip_without dpkg-deb dpkg
skip_without dpkg-shlibdeps dpkg-dev

rm -rf "$scratch"
mkdir -p "$scratch"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb="$scratch/out/ordivan_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$scratch/out")"

[ "$(dpkg-deb -f "$deb" Package)" = ordivan ] || fail "package name $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
check_installed_tree "$root"

# Start the unpacked program as a desktop would, with settings in a scratch
# folder, then end it the way a session ends it.
config="$scratch/config"
mkdir -p "$config"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" "$root/usr/bin/ordivan" \
    >"$scratch/ordivan.log" 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    rc=0
    wait "$pid" || rc=$?
    cat "$scratch/ordivan.log" >&2
    fail "the program ended by itself within 2 s (exit code $rc)"
fi
kill -TERM "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    fail "the program was still running 10 s after SIGTERM"
fi
rc=0
wait "$pid" || rc=$?
[ "$rc" = 0 ] || { cat "$scratch/ordivan.log" >&2; fail "exit code $rc after SIGTERM (143 means it did not handle the signal)"; }
grep -rqs '^MainLeft=' "$config/Ordivan" ||
    fail "no settings with the window position written under $config/Ordivan: $(find "$config")"
echo "package $deb installs, starts and ends cleanly"
