# The Debian packages the game is built from, and the one way our scripts install what is missing. Source it.

# What building and playing the game needs.
PLAY_PACKAGES=(cmake make g++ pkg-config libsfml-dev libx11-dev libopenal-dev python3 python3-fonttools
               libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev libcli11-dev
               libtomlplusplus-dev libxrandr-dev)
# What making and checking the Debian package needs on top.
PACKAGING_PACKAGES=(dpkg-dev fakeroot file lintian desktop-file-utils appstream groff man-db)

# Installs those of the named packages that are not installed yet (with sudo when not root).
install_packages() {
    local missing=() package sudo=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
