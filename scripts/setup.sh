# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by demo.sh and test.sh: installs what is missing and builds into a directory.
# Usage: ptz_require PACKAGE...; ptz_build BUILD_DIR [CMAKE_ARGS...]

PTZ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# fonts-liberation2: Arial's widths, which the panels' captions are laid out for.
# libjpeg and GStreamer (with the plugins that open, depay and decode streams) for presets'
# pictures; GStreamer's RTSP server for the camera stream the tests serve.
PTZ_BUILD_PACKAGES=(cmake g++ make pkg-config qtbase5-dev qtbase5-private-dev
    libqt5x11extras5-dev libx11-dev libudev-dev libmicrohttpd-dev libsdl2-dev liblo-dev
    qttools5-dev-tools qttools5-dev fonts-liberation2 libcurl4-openssl-dev libexpat1-dev libssl-dev
    libfontconfig-dev libjpeg-dev libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good libgstrtspserver-1.0-dev)

ptz_require() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install ${missing[*]}"
        exit 1
    fi
}

# Makes the locale NAME (as /etc/locale.gen spells it: de_DE.UTF-8) available, once; the tests
# run the network cameras' numbers under a comma-decimal one.
ptz_require_locale() {
    local name="$1"
    local short="${name%%.*}.utf8"
    locale -a 2>/dev/null | grep -qix "$short" && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing locale $name. Make it with:"
        echo "  sudo sed -i 's/^# *\($name\)/\1/' /etc/locale.gen && sudo locale-gen"
        exit 1
    fi
    ptz_require locales
    grep -q "^$name " /etc/locale.gen 2>/dev/null ||
        sed -i "s/^# *\($name \)/\1/" /etc/locale.gen
    grep -q "^$name " /etc/locale.gen || echo "$name ${name##*.}" >>/etc/locale.gen
    locale-gen >/dev/null
}

# Starts a private Xvfb (arguments: its -screen geometry, its density in dpi, 96 if not
# given) and exports DISPLAY; stopped with ptz_stop_xvfb.
ptz_start_xvfb() {
    exec {ptz_xvfb_fd}< <(exec Xvfb -displayfd 1 -screen 0 "$1" -dpi "${2:-96}" -nolisten tcp 2>/dev/null)
    ptz_xvfb_pid=$!
    local display
    read -r display <&"$ptz_xvfb_fd"
    export DISPLAY=":$display"
}

ptz_stop_xvfb() {
    kill "${ptz_xvfb_pid:-}" 2>/dev/null || true
}

ptz_build() {
    local dir="$1"
    shift
    cmake -S "$PTZ_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# Echoes a ptz-panel program to measure or shoot against: the one given, or a revision's built
# from a copy of its tree in DIR (arguments: a program or a git revision, DIR).
ptz_program_of() {
    if [ -x "$1" ]; then
        echo "$1"
        return
    fi
    mkdir -p "$2/src"
    git -C "$PTZ_ROOT" archive "$1" | tar -x -C "$2/src"
    cmake -S "$2/src" -B "$2/build" >/dev/null
    cmake --build "$2/build" -j "$(nproc)" --target ptz-panel >/dev/null
    echo "$2/build/ptz-panel"
}
