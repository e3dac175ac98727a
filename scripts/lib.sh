# Shared by the set-up scripts: install the Debian packages that are missing,
# configure once, build incrementally.

ORDIVAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The packages the program needs to build and run.
ORDIVAN_BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev libsdl2-dev libgif-dev zlib1g-dev)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir="$1"; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ORDIVAN_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
    fi
    cmake --build "$dir" -j"$(nproc)"
}
