#!/usr/bin/env bash
# Installs with apt-get whatever of the build and test dependencies is missing (Debian 12).
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-pdf-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-liberation fonts-dejavu-core
    xvfb xauth
    desktop-file-utils appstream libxml2-utils shared-mime-info man-db file dpkg-dev
    clang-format ccache
    libxlsxwriter-dev libminizip-dev libzip-dev libfreexl-dev libexpat1-dev libqpdf-dev xdg-utils
    poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
