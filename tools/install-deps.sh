#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Safe to run again: it only calls apt-get for packages not yet installed.
set -euo pipefail

# Real package names only: dpkg never reports a virtual name (one that a
# package merely provides) as installed, so it would be installed on every run.
PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    libmodbus-dev socat
    unifont fonts-wqy-zenhei
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
