#!/usr/bin/env bash
# Installs the Debian packages that building and running (or, with "test", testing) need,
# and only those that are missing. As root it installs them; otherwise it prints the line to run.
set -euo pipefail

run_pkgs=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins libgl-dev libsndfile1-dev
    libfontconfig-dev
    fonts-ipafont-gothic
)
test_pkgs=(
    xvfb xauth xdotool x11-utils imagemagick
    faketime pulseaudio pulseaudio-utils sox
    dpkg-dev file strace appstream
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    tesseract-ocr tesseract-ocr-eng
    orca openbox speech-dispatcher python3-speechd
)
# What cpack needs to make the Debian package and work out its dependencies.
package_pkgs=(dpkg-dev file)

pkgs=("${run_pkgs[@]}")
case "${1:-run}" in
    run) ;;
    test) pkgs+=("${test_pkgs[@]}") ;;
    fuzz) pkgs+=(clang-14 libclang-rt-14-dev) ;;
    memcheck) pkgs+=(valgrind) ;;
    package) pkgs+=("${package_pkgs[@]}") ;;
    *) echo "usage: $0 [run|test|fuzz|memcheck|package]" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
