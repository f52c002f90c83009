# shellcheck shell=bash
# Shared by setup-and-run.sh and run-tests.sh: the Debian 12 packages the
# build, the tests and the screenshots need, and a function that installs
# the missing ones.

TARVENIX_PACKAGES=(
    cmake ninja-build g++ pkg-config ccache
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev qt6-qpa-plugins
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-multimedia-dev
    qt6-httpserver-dev qt6-websockets-dev libsystemd-dev
    tcl8.6-dev tcl-dev zlib1g-dev libsodium-dev libpng-dev
    qt6-translations-l10n
    postgresql
    xvfb xauth xdotool imagemagick fonts-dejavu-core dbus-daemon
)

# Installs whatever is not installed yet; with everything present it neither
# needs the network nor root.
tarvenix_install_packages() {
    local missing=()
    local package
    for package in "${TARVENIX_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds build/ in Release mode.
tarvenix_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build build -j "$(nproc)"
}

# Qt complains when the runtime directory is missing or open to others,
# which is the case for root on a bare machine.
tarvenix_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
        XDG_RUNTIME_DIR="$(mktemp -d)"
        chmod 0700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
}
