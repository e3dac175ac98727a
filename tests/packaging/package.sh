#!/usr/bin/env bash
# The Debian package holds the installed tree and depends on Qt; the program
# unpacked from it starts and, on SIGTERM, saves its settings and ends with 0.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build="$1" scratch="$2" version="$3"
skip_without dpkg-shlibdeps dpkg-dev
rm -rf "$scratch" && mkdir -p "$scratch/config"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb="$scratch/out/ordivan_${version}_$(dpkg --print-architecture).deb"
depends=$(dpkg-deb -f "$deb" Depends) || fail "no $deb"
grep -q "libqt6widgets6" <<<"$depends" || fail "Depends lacks libqt6widgets6: $depends"
dpkg-deb -x "$deb" "$scratch/root"
check_installed_tree "$scratch/root"

QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$scratch/config" "$scratch/root/usr/bin/ordivan" >"$scratch/log" 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$scratch/log" >&2; fail "the program ended by itself within 2 s"; }
kill -TERM "$pid"
timeout 10 tail --pid="$pid" -f /dev/null || { kill -KILL "$pid"; fail "still running 10 s after SIGTERM"; }
rc=0
wait "$pid" || rc=$?
[ "$rc" = 0 ] || { cat "$scratch/log" >&2; fail "exit code $rc after SIGTERM (143: the signal was not handled)"; }
grep -rqs '^MainLeft=' "$scratch/config/Ordivan" || fail "no settings saved: $(find "$scratch/config")"
