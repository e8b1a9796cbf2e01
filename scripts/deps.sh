# Debian packages Lumora needs, in one list shared by scripts/run and scripts/test.
# Sourced, not run.

LUMORA_BUILD_PACKAGES=(
    build-essential cmake ninja-build pkg-config ccache
    qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools qttranslations5-l10n
    libqt5sql5-sqlite libsqlite3-dev libqt5opengl5-dev qtmultimedia5-dev libqt5multimedia5-plugins
    qtwebengine5-dev libqt5x11extras5-dev libxcb1-dev libxcb-keysyms1-dev
    libmpv-dev libmupdf-dev libfreetype-dev libharfbuzz-dev libjbig2dec0-dev libopenjp2-7-dev
    libjpeg-dev zlib1g-dev libgumbo-dev libmujs-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-alsa
    fonts-noto-cjk fonts-liberation2 imagemagick ffmpeg libqt5charts5-dev
    libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui
    # the fleet agent and tool: MQTT, TLS and signatures
    libmosquitto-dev libssl-dev
)

LUMORA_TEST_PACKAGES=(
    xvfb xserver-xephyr xauth x11-xkb-utils xdotool imagemagick python3 clang libclang-rt-14-dev
    # the bare player bench/video compares the play window with
    mpv
    xrestop
    # the fleet benchmark times the agent against it
    curl
    # the log benchmark times a search of the play log against the SQLite shell
    sqlite3
    # the broker, content server and central store the fleet tests start on loopback
    mosquitto nginx-light libnginx-mod-http-dav-ext openssl postgresql-15 libqt5sql5-psql
)

# What an installed player needs at run time beyond the libraries it links, which the package
# manager finds on its own (Qt, the web engine, libmpv): the plug-ins and drivers Qt and
# GStreamer load by name, and the fonts the texts are drawn in. scripts/package makes them the
# package's Depends.
LUMORA_RUNTIME_PACKAGES=(
    libqt5sql5-sqlite libqt5multimedia5-plugins libqt5webenginewidgets5
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-alsa
    fonts-noto-cjk fonts-liberation2 openssl
)
# Office documents are shown only where LibreOffice can convert them, and the fleet's central
# play log (lumora-fleet collect, lumora-log --fleet) is read through Qt's PostgreSQL driver:
# the package's Recommends.
LUMORA_RUNTIME_RECOMMENDS=(
    libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui
    libqt5sql5-psql
)

# What scripts/package needs besides the build's packages.
LUMORA_PACKAGE_PACKAGES=(
    debhelper dpkg-dev lintian appstream desktop-file-utils
)

# Installs whichever of the given packages are missing. Needs root (or sudo).
lumora_ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "error: packages are missing and this is not root: ${missing[*]}" >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq || return 1
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

# Configures (first time only) and builds the given targets in build/.
lumora_build() {
    local root="$1"
    shift
    local build="$root/build"
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo || return 1
    fi
    cmake --build "$build" --parallel "$(nproc)" "$@"
}
